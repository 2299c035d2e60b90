#include "testjson.h"

#include "base/tavqjson_p.h"

Json::Value parse(const QByteArray &json)
{
    Json::Value root;
    if (!TAVQtLib::JsonRead::parseDocument(json.constData(), json.constData() + json.size(), &root))
        qFatal("bad test JSON: %s", json.constData());
    return root;
}
