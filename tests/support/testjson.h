#ifndef TAVQ_TESTJSON_H
#define TAVQ_TESTJSON_H

#include <QByteArray>

#include <json/value.h>

// The JSON document `json`, read as the library reads pages and style sheets. Test
// documents are written by hand, so one that does not parse stops the test program.
Json::Value parse(const QByteArray &json);

#endif
