#include "core/tavqcontrolbase.h"
#include "core/tavqregistry.h"
#include "controls/tavqcontrols.h"
#include "resources/tavqresourcemanager.h"

#include <QApplication>
#include <QStyle>

#include <QWidget>
#include <QtTest>

#include <json/value.h>

using namespace TAVQtLib;

class tst_Registry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { InitRuntime(); }
    void fullTable();
    void creatorsMakeTheirClass_data();
    void creatorsMakeTheirClass();
    void initTwiceRegistersOnce();
};

namespace {

// Type name -> the control's own type name (its class), as pages have always used them.
const QMap<QString, QString> &table()
{
    static const QMap<QString, QString> names = {
        {"qtcontainer", "qtcontainer"}, {"qtpicture", "qtpicture"}, {"qtbutton", "qtbutton"},
        {"qtmenubar", "qtmenubar"}, {"qtlabel", "qtlabel"}, {"qtcheckbox", "qtcheckbox"},
        {"qtlistview", "qtlistview"}, {"qtprogressbar", "qtprogressbar"}, {"qtradiobox", "qtradiobox"},
        {"qtslider", "qtslider"}, {"qttab", "qttab"}, {"qtdedit", "qtdedit"}, {"qtcombobox", "qtcombobox"},
        {"qtlist", "qtlist"}, {"qttree", "qttree"}, {"qtdatagrid", "qtdatagrid"}, {"qtgroupbox", "qtgroupbox"},
        {"qtspinbox", "qtspinbox"}, {"qtlcdnumber", "qtlcdnumber"}, {"qtsplitter", "qtsplitter"},
        {"qtswitch", "qtswitch"}, {"qtscrollview", "qtscrollview"}, {"qtscrollbar", "qtscrollbar"},
        {"qttext", "qttext"}, {"qtlabelex", "qtlabelex"},
        {"container", "qtcontainer"}, {"scrollview", "qtscrollview"}, {"picture", "qtpicture"},
        {"image", "qtpicture"}, {"button", "qtbutton"}, {"menubar", "qtmenubar"}, {"label", "qtlabel"},
        {"checkbox", "qtcheckbox"}, {"listview", "qtlistview"}, {"progressbar", "qtprogressbar"},
        {"radio", "qtradiobox"}, {"radiobox", "qtradiobox"}, {"slider", "qtslider"}, {"tab", "qttab"},
        {"dedit", "qtdedit"}, {"combobox", "qtcombobox"}, {"templateList", "qtlistview"}, {"list", "qtlist"},
        {"tree", "qttree"}, {"datagrid", "qtdatagrid"}, {"groupbox", "qtgroupbox"}, {"spinbox", "qtspinbox"},
        {"dnumedit", "qtspinbox"}, {"canvas", "canvas"}, {"splitter", "qtsplitter"}, {"switch", "qtswitch"},
    };
    return names;
}

} // namespace

void tst_Registry::fullTable()
{
    QStringList registered;
    for (const auto &entry : RegisteredControlTypes())
        registered << QString::fromStdString(entry.first);
    QCOMPARE(registered.size(), 51);
    QStringList expected = table().keys();
    std::sort(expected.begin(), expected.end(), [](const QString &a, const QString &b) {
        return a.toStdString() < b.toStdString();
    });
    QCOMPARE(registered, expected);

    QStringList listed;
    for (const std::string &name : ListedControlTypes())
        listed << QString::fromStdString(name);
    QCOMPARE(listed.size(), 49);
    expected.removeAll("qtlistview");
    expected.removeAll("listview");
    QCOMPARE(listed, expected);
}

void tst_Registry::creatorsMakeTheirClass_data()
{
    QTest::addColumn<QString>("typeName");
    QTest::addColumn<QString>("className");
    for (auto it = table().cbegin(); it != table().cend(); ++it)
        QTest::newRow(qPrintable(it.key())) << it.key() << it.value();
}

void tst_Registry::creatorsMakeTheirClass()
{
    QFETCH(QString, typeName);
    QFETCH(QString, className);
    QWidget parent;
    QWidget *w = CreateControl(typeName.toUtf8().constData(), Json::Value(Json::objectValue), &parent);
    QVERIFY(w);
    QCOMPARE(w->parentWidget(), &parent);
    ITAVQControlBase *control = controlInterface(w);
    QVERIFY(control);
    // Declared to the meta-object system, so the builder's frequent look-ups stay cheap.
    QCOMPARE(qobject_cast<ITAVQControlBase *>(w), control);
    QCOMPARE(control->GetTypeName(), className);
    QVERIFY(control->GetImpl());
    QCOMPARE(control->GetControlBase()->widget(), w);
    // Case matters.
    QVERIFY(!CreateControl(typeName.toUpper().toUtf8().constData(), Json::Value(), &parent)
            || typeName.toUpper() == typeName);
}

void tst_Registry::initTwiceRegistersOnce()
{
    const auto before = RegisteredControlTypes().size();
    QImage *checked = TAVQResourceManager::instance().image("IDB_CHECKED");
    QStyle *style = QApplication::style();
    QVERIFY(checked);
    InitRuntime();
    QCOMPARE(RegisteredControlTypes().size(), before);
    // The built-in images were not drawn again, the style not replaced.
    QCOMPARE(TAVQResourceManager::instance().image("IDB_CHECKED"), checked);
    QCOMPARE(QApplication::style(), style);
    QVERIFY(style->inherits("TAVQtLib::CScrollBarStyle"));
}

QTEST_MAIN(tst_Registry)
#include "tst_registry.moc"
