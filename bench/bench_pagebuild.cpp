// Building a page of about 2,000 controls: our page builder against QUiLoader
// loading the same widget tree, with the same geometry, from a .ui document.

#include "benchviews.h"
#include "base/tavqjson_p.h"
#include "core/tavqpagebuilder.h"
#include "controls/tavqcontrols.h"
#include "core/tavqwindow.h"
#include "controls/tavqcontainer.h"
#include "controls/tavqlabel.h"
#include "controls/tavqpushbutton.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QUiLoader>
#include <QWidget>
#include <QXmlStreamWriter>

#include <benchmark/benchmark.h>
#include <json/value.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace TAVQtLib;

namespace {

constexpr int HostWidth = 1280;
constexpr int HostHeight = 800;
constexpr int Sections = 20;        // 4 columns of 5
constexpr int RowsPerSection = 4;
constexpr int LeavesPerRow = 24;    // labels and buttons in turn
constexpr int SectionWidth = HostWidth / 4;
constexpr int SectionHeight = HostHeight / 5;
constexpr int RowInset = 4;
constexpr int RowHeight = 36;
constexpr int LeafStep = 13;
constexpr int LeafWidth = 12;
constexpr int LeafHeight = 28;

enum Kind { Panel, Label, Button };

// One element of the generated page: its kind, the final geometry both
// builders must produce, and the JSON text of its own keys.
struct Node
{
    Kind kind = Panel;
    QString name;
    QRect geometry;
    std::string ownKeys;
    std::vector<Node> children;
};

struct Fixture
{
    Node root;
    int elementCount = 0;
    QByteArray json;
    QByteArray ui;
    Json::Value page;
};

Fixture g_fixture;

std::string fixedKeys(const QRect &r)
{
    char text[96];
    std::snprintf(text, sizeof text, "\"x\":%d,\"y\":%d,\"w\":%d,\"h\":%d", r.x(), r.y(), r.width(), r.height());
    return text;
}

Node makeNode(Kind kind, const QRect &geometry, std::string layoutKeys, int *counter)
{
    Node node;
    node.kind = kind;
    node.name = QStringLiteral("e%1").arg(++*counter);
    node.geometry = geometry;
    node.ownKeys = std::move(layoutKeys);
    return node;
}

// Leaves alternate fixed and anchored layouts; the anchored ones are placed
// (vertically centred, or from the right edge) to land where a fixed one would.
Node makeLeaf(int k, int rowWidth, int *counter)
{
    const Kind kind = k % 2 == 0 ? Label : Button;
    const QRect r(k * LeafStep, (RowHeight - LeafHeight) / 2, LeafWidth, LeafHeight);
    std::string keys = "\"w\":" + std::to_string(LeafWidth) + ",\"h\":" + std::to_string(LeafHeight);
    if (k % 4 < 2)
        keys = fixedKeys(r);
    else if (kind == Label)
        keys += ",\"layout\":{\"type\":0,\"hor\":0,\"ver\":1,\"x\":" + std::to_string(r.x()) + ",\"y\":0}";
    else
        keys += ",\"layout\":{\"type\":0,\"hor\":2,\"x\":" + std::to_string(rowWidth - r.right() - 1)
            + ",\"y\":" + std::to_string(r.y()) + "}";
    return makeNode(kind, r, keys, counter);
}

Node makePage(int *counter)
{
    Node root = makeNode(Panel, QRect(0, 0, HostWidth, HostHeight),
                         "\"w\":0,\"h\":0,\"layout\":{\"type\":0,\"x\":0,\"y\":0,\"r\":0,\"b\":0}", counter);
    for (int s = 0; s < Sections; ++s) {
        const QRect sectionRect((s % 4) * SectionWidth, (s / 4) * SectionHeight, SectionWidth, SectionHeight);
        Node section = makeNode(Panel, sectionRect, fixedKeys(sectionRect), counter);
        for (int r = 0; r < RowsPerSection; ++r) {
            const int y = RowInset + r * (RowHeight + 2);
            const QRect rowRect(RowInset, y, SectionWidth - 2 * RowInset, RowHeight);
            // Stretched to the right margin: the width comes from the section.
            Node row = makeNode(Panel, rowRect,
                                "\"w\":100,\"h\":" + std::to_string(RowHeight) + ",\"layout\":{\"type\":0,\"x\":"
                                    + std::to_string(RowInset) + ",\"y\":" + std::to_string(y)
                                    + ",\"r\":" + std::to_string(RowInset) + "}",
                                counter);
            for (int k = 0; k < LeavesPerRow; ++k)
                row.children.push_back(makeLeaf(k, rowRect.width(), counter));
            section.children.push_back(std::move(row));
        }
        root.children.push_back(std::move(section));
    }
    return root;
}

const char *typeName(Kind kind)
{
    return kind == Label ? "qtlabel" : kind == Button ? "qtbutton" : "qtcontainer";
}

void writeJson(const Node &node, std::string *out)
{
    *out += "{\"type\":\"";
    *out += typeName(node.kind);
    *out += "\",\"name\":\"" + node.name.toStdString() + "\"," + node.ownKeys;
    if (node.kind != Panel)
        *out += ",\"attr\":{\"text\":\"" + node.name.toStdString() + "\"}";
    if (!node.children.empty()) {
        *out += ",\"child\":[";
        for (size_t i = 0; i < node.children.size(); ++i) {
            if (i)
                *out += ',';
            writeJson(node.children[i], out);
        }
        *out += ']';
    }
    *out += "}\n";
}

void writeRect(QXmlStreamWriter &xml, const QRect &r)
{
    xml.writeStartElement(QStringLiteral("property"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("geometry"));
    xml.writeStartElement(QStringLiteral("rect"));
    xml.writeTextElement(QStringLiteral("x"), QString::number(r.x()));
    xml.writeTextElement(QStringLiteral("y"), QString::number(r.y()));
    xml.writeTextElement(QStringLiteral("width"), QString::number(r.width()));
    xml.writeTextElement(QStringLiteral("height"), QString::number(r.height()));
    xml.writeEndElement();
    xml.writeEndElement();
}

void writeUiWidget(QXmlStreamWriter &xml, const Node &node)
{
    xml.writeStartElement(QStringLiteral("widget"));
    xml.writeAttribute(QStringLiteral("class"), node.kind == Label ? QStringLiteral("QLabel")
                                                : node.kind == Button ? QStringLiteral("QPushButton")
                                                                      : QStringLiteral("QWidget"));
    xml.writeAttribute(QStringLiteral("name"), node.name);
    writeRect(xml, node.geometry);
    if (node.kind != Panel) {
        xml.writeStartElement(QStringLiteral("property"));
        xml.writeAttribute(QStringLiteral("name"), QStringLiteral("text"));
        xml.writeTextElement(QStringLiteral("string"), node.name);
        xml.writeEndElement();
    }
    for (const Node &child : node.children)
        writeUiWidget(xml, child);
    xml.writeEndElement();
}

// A dialog of the host's size around the same tree, as the form designer writes it.
QByteArray writeUi(const Node &root)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("ui"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("4.0"));
    xml.writeTextElement(QStringLiteral("class"), QStringLiteral("Page"));
    xml.writeStartElement(QStringLiteral("widget"));
    xml.writeAttribute(QStringLiteral("class"), QStringLiteral("QDialog"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("Page"));
    writeRect(xml, QRect(0, 0, HostWidth, HostHeight));
    writeUiWidget(xml, root);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

bool fail(const char *what)
{
    std::fprintf(stderr, "bench_pagebuild: %s\n", what);
    return false;
}

QWidget *buildOurs(const Json::Value &page)
{
    auto *host = new TAVQWindow;
    host->resize(HostWidth, HostHeight);
    BuildElements(page, host);
    return host;
}

QWidget *loadUi(QUiLoader &loader)
{
    QBuffer buffer(&g_fixture.ui);
    buffer.open(QIODevice::ReadOnly);
    return loader.load(&buffer);
}

Kind kindOf(const QWidget *w)
{
    if (qobject_cast<const QLabel *>(w))
        return Label;
    if (qobject_cast<const QPushButton *>(w))
        return Button;
    return Panel;
}

using WidgetsByName = QHash<QString, const QWidget *>;

WidgetsByName widgetsByName(const QWidget *host)
{
    WidgetsByName out;
    for (const QWidget *w : host->findChildren<const QWidget *>())
        out.insert(w->objectName(), w);
    return out;
}

bool matches(const Node &node, const WidgetsByName &widgets)
{
    const QWidget *w = widgets.value(node.name);
    if (!w || kindOf(w) != node.kind || w->geometry() != node.geometry)
        return false;
    for (const Node &child : node.children) {
        if (!matches(child, widgets))
            return false;
    }
    return true;
}

using WidgetMaker = QWidget *(*)(const Node &node, QWidget *parent);

QWidget *makeQtWidget(const Node &node, QWidget *parent)
{
    switch (node.kind) {
    case Label:
        return new QLabel(node.name, parent);
    case Button:
        return new QPushButton(node.name, parent);
    case Panel:
        break;
    }
    return new QWidget(parent);
}

QWidget *makeOurControl(const Node &node, QWidget *parent)
{
    switch (node.kind) {
    case Label: {
        auto *label = new TAVQLabel(parent);
        label->setText(node.name);
        return label;
    }
    case Button: {
        auto *button = new TAVQPushButton(parent);
        button->setText(node.name);
        return button;
    }
    case Panel:
        break;
    }
    return new TAVQContainer(parent);
}

// Our controls made the way every page must make them: without a parent, then
// moved under it and shown (which polishes them) before anything is read. As
// in the builder, a control whose geometry the layout will set is marked
// resized first, so that showing it does not measure its size hint.
QWidget *makeOurControlParentedAndShown(const Node &node, QWidget *parent)
{
    QWidget *w = makeOurControl(node, nullptr);
    w->setParent(parent);
    w->setAttribute(Qt::WA_Resized);
    w->setVisible(true);
    return w;
}

void buildNode(const Node &node, QWidget *parent, WidgetMaker make)
{
    QWidget *w = make(node, parent);
    w->setObjectName(node.name);
    w->setGeometry(node.geometry);
    for (const Node &child : node.children)
        buildNode(child, w, make);
}

QWidget *buildInCode(const Node &root, WidgetMaker make)
{
    auto *host = new QWidget;
    host->resize(HostWidth, HostHeight);
    buildNode(root, host, make);
    return host;
}

// The timings compare equal work only if every builder gives the same tree.
bool crossCheck(QUiLoader &loader)
{
    for (const WidgetMaker make : {makeQtWidget, makeOurControl, makeOurControlParentedAndShown}) {
        std::unique_ptr<QWidget> inCode(buildInCode(g_fixture.root, make));
        if (!matches(g_fixture.root, widgetsByName(inCode.get())))
            return fail("the widgets built in code differ from the expected tree");
    }
    std::unique_ptr<QWidget> ours(buildOurs(g_fixture.page));
    if (!matches(g_fixture.root, widgetsByName(ours.get())))
        return fail("our page builder does not produce the expected tree");
    std::unique_ptr<QWidget> theirs(loadUi(loader));
    if (!theirs)
        return fail("QUiLoader cannot load the form");
    if (!matches(g_fixture.root, widgetsByName(theirs.get())))
        return fail("QUiLoader does not produce the expected tree");
    return true;
}

void finish(benchmark::State &state)
{
    state.counters["elements"] = g_fixture.elementCount;
    state.counters["elements_per_s"] = benchmark::Counter(g_fixture.elementCount,
                                                          benchmark::Counter::kIsIterationInvariantRate);
}

// Deleting what was built costs every builder the same (Qt's widget
// destructors and the clean-up of their pending events), so it is timed
// apart: untimed in the benchmark, reported as delete_ms. Anything posted
// while building is handled between iterations, untimed too.
class Teardown
{
public:
    void remove(benchmark::State &state, QWidget *built)
    {
        state.PauseTiming();
        const auto start = std::chrono::steady_clock::now();
        delete built;
        m_seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        ++m_count;
        QCoreApplication::sendPostedEvents();
        state.ResumeTiming();
    }
    void report(benchmark::State &state) const
    {
        state.counters["delete_ms"] = m_count ? m_seconds * 1000 / double(m_count) : 0.0;
    }

private:
    double m_seconds = 0;
    qint64 m_count = 0;
};

void finish(benchmark::State &state, const Teardown &teardown)
{
    finish(state);
    teardown.report(state);
}

// The page parsed once, outside the timing.
void runOurBuild(benchmark::State &state, bool show)
{
    Teardown teardown;
    for (auto _ : state) {
        QWidget *host = buildOurs(g_fixture.page);
        if (show)
            host->show();
        benchmark::DoNotOptimize(host);
        teardown.remove(state, host);
    }
    finish(state, teardown);
}

void BM_OurBuild(benchmark::State &state)
{
    runOurBuild(state, false);
}

// The page parsed from its text each time, as QUiLoader parses its XML.
void BM_OurParseAndBuild(benchmark::State &state)
{
    const QByteArray &text = g_fixture.json;
    Teardown teardown;
    for (auto _ : state) {
        Json::Value page;
        if (!JsonRead::parseDocument(text.constData(), text.constData() + text.size(), &page)) {
            state.SkipWithError("the page does not parse");
            break;
        }
        QWidget *host = buildOurs(page);
        benchmark::DoNotOptimize(host);
        teardown.remove(state, host);
    }
    finish(state, teardown);
}

void runQUiLoader(benchmark::State &state, bool show)
{
    QUiLoader loader;
    Teardown teardown;
    for (auto _ : state) {
        QWidget *form = loadUi(loader);
        if (!form) {
            state.SkipWithError("QUiLoader failed");
            break;
        }
        if (show)
            form->show();
        teardown.remove(state, form);
    }
    finish(state, teardown);
}

void BM_QUiLoader(benchmark::State &state)
{
    runQUiLoader(state, false);
}

// Built and then shown once, as an application shows a page. QUiLoader's
// widgets are polished and sent their pending events at that first show; ours
// are polished while the page is built, and the host lays its page out again
// when it first gets its size. Painting is not included: the window's expose
// arrives as a posted event, which is flushed untimed.
void BM_OurBuildAndShow(benchmark::State &state)
{
    runOurBuild(state, true);
}

void BM_QUiLoaderAndShow(benchmark::State &state)
{
    runQUiLoader(state, true);
}

// The floors: the page constructed in code with the same names, geometry and
// texts. With the plain Qt classes QUiLoader makes, no builder can do less;
// with our control classes, it is what the controls cost over plain widgets,
// without the page builder and the JSON reading.
void BM_Floor(benchmark::State &state, WidgetMaker make)
{
    Teardown teardown;
    for (auto _ : state) {
        QWidget *host = buildInCode(g_fixture.root, make);
        benchmark::DoNotOptimize(host);
        teardown.remove(state, host);
    }
    finish(state, teardown);
}

bool makeFixture()
{
    int counter = 0;
    g_fixture.root = makePage(&counter);
    g_fixture.elementCount = counter;
    std::string json = "{\"w\":" + std::to_string(HostWidth) + ",\"h\":" + std::to_string(HostHeight)
        + ",\"elements\":[\n";
    writeJson(g_fixture.root, &json);
    json += "]}\n";
    g_fixture.json = QByteArray::fromStdString(json);
    g_fixture.ui = writeUi(g_fixture.root);
    const QByteArray &t = g_fixture.json;
    if (!JsonRead::parseDocument(t.constData(), t.constData() + t.size(), &g_fixture.page))
        return fail("the generated page does not parse");
    return true;
}

} // namespace

BENCHMARK(BM_OurBuild)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OurParseAndBuild)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_QUiLoader)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OurBuildAndShow)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_QUiLoaderAndShow)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(BM_Floor, QtWidgets, makeQtWidget)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(BM_Floor, OurControls, makeOurControl)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_CAPTURE(BM_Floor, OurControlsParentedAndShown, makeOurControlParentedAndShown)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

namespace {

using DocumentParser = bool (*)(const char *begin, const char *end, Json::Value *root);

// The page text to a tree and the tree destroyed again: the reading alone.
void BM_Parse(benchmark::State &state, DocumentParser parse)
{
    const QByteArray &text = g_fixture.json;
    for (auto _ : state) {
        Json::Value page;
        if (!parse(text.constData(), text.constData() + text.size(), &page)) {
            state.SkipWithError("the page does not parse");
            break;
        }
        benchmark::DoNotOptimize(page);
    }
}

// Only the freeing of the page tree, after a build and its teardown as in
// BM_OurParseAndBuild: the tree is no longer in the caches then.
void BM_FreeTreeAfterBuild(benchmark::State &state)
{
    const QByteArray &text = g_fixture.json;
    Teardown teardown;
    for (auto _ : state) {
        state.PauseTiming();
        auto page = std::make_unique<Json::Value>();
        JsonRead::parseDocument(text.constData(), text.constData() + text.size(), page.get());
        QWidget *host = buildOurs(*page);
        state.ResumeTiming();
        teardown.remove(state, host);
        page.reset();
    }
}

} // namespace

BENCHMARK_CAPTURE(BM_Parse, JsonCpp, JsonRead::parseDocumentWithJsonCpp)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Parse, Ours, JsonRead::parseDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreeTreeAfterBuild)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return BenchViews::runBenchmarks(argc, argv, [] {
        InitRuntime();
        QUiLoader loader;
        if (!makeFixture() || !crossCheck(loader))
            return false;
        benchmark::AddCustomContext("page_elements", std::to_string(g_fixture.elementCount));
        benchmark::AddCustomContext("page_json_bytes", std::to_string(g_fixture.json.size()));
        benchmark::AddCustomContext("page_ui_bytes", std::to_string(g_fixture.ui.size()));
        return true;
    });
}
