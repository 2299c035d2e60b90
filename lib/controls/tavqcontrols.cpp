// The registry of the library's control classes under their page type names,
// and the start-up that registers them.

#include "tavqcontrols.h"

#include "base/tavqkeytable_p.h"
#include "core/cscrollbarstyle_p.h"
#include "core/tavqelementtables_p.h"
#include "core/tavqfocusframe.h"
#include "core/tavqregistry.h"
#include "resources/tavqresourcemanager.h"
#include "tavqcheckbox_p.h"
#include "tavqcombobox_p.h"
#include "tavqcontainer_p.h"
#include "tavqedit_p.h"
#include "tavqimage_p.h"
#include "tavqlabel_p.h"
#include "tavqlist_p.h"
#include "tavqlistview_p.h"
#include "tavqmenu_p.h"
#include "tavqpushbutton_p.h"
#include "tavqswitch_p.h"
#include "tavqtableview_p.h"
#include "tavqtabwidget_p.h"
#include "tavqtreeview_p.h"
#include "tavqvaluecontrols_p.h"

#include <QApplication>

#include <type_traits>
#include <utility>

namespace TAVQtLib {

namespace {

template <typename Control>
QWidget *create()
{
    return new Control(nullptr);
}

QWidget *createSlider()
{
    return new TAVQSlider(nullptr, Qt::Horizontal);
}

// The implementation class of each control, which its public header keeps to itself.
template <typename Control>
struct ImplOf;
#define TAVQ_IMPL_OF(Control) \
    template <> \
    struct ImplOf<Control> \
    { \
        using type = Control##Impl; \
    };
TAVQ_IMPL_OF(TAVQLabel)
TAVQ_IMPL_OF(TAVQLabelEx)
TAVQ_IMPL_OF(TAVQImage)
TAVQ_IMPL_OF(TAVQCanvas)
TAVQ_IMPL_OF(TAVQCheckBox)
TAVQ_IMPL_OF(TAVQRadioButton)
TAVQ_IMPL_OF(TAVQSwitch)
TAVQ_IMPL_OF(TAVQLineEdit)
TAVQ_IMPL_OF(TAVQTextEdit)
TAVQ_IMPL_OF(TAVQSpinBox)
TAVQ_IMPL_OF(TAVQList)
TAVQ_IMPL_OF(TAVQPushButton)
TAVQ_IMPL_OF(TAVQContainer)
TAVQ_IMPL_OF(TAVQGroupBox)
TAVQ_IMPL_OF(TAVQSplitter)
TAVQ_IMPL_OF(TAVQScrollView)
TAVQ_IMPL_OF(TAVQTabWidget)
TAVQ_IMPL_OF(TAVQMenuBar)
TAVQ_IMPL_OF(TAVQSlider)
TAVQ_IMPL_OF(TAVQScrollBar)
TAVQ_IMPL_OF(TAVQProgressBar)
TAVQ_IMPL_OF(TAVQLCDNumber)
TAVQ_IMPL_OF(TAVQListView)
TAVQ_IMPL_OF(TAVQTableView)
TAVQ_IMPL_OF(TAVQTreeView)
TAVQ_IMPL_OF(TAVQComboBox)
#undef TAVQ_IMPL_OF

// The table the control's implementation reads its element by.
template <typename Control>
const TAVQControlTable *tableOf()
{
    return &ImplOf<Control>::type::Table;
}

void add(const char *typeName, ControlCreator creator, bool listed, const TAVQControlTable *table)
{
    RegisterControlType(typeName, creator, listed);
    RegisterControlTable(typeName, table);
}

template <typename Control>
void add(const char *typeName, bool listed)
{
    add(typeName, create<Control>, listed, tableOf<Control>());
}

} // namespace

void RegisterBuiltinControls()
{
    // Long names first, then the short aliases, in the order pages have always
    // relied on; the list view is listed only under "templateList".
    add<TAVQContainer>("qtcontainer", true);
    add<TAVQImage>("qtpicture", true);
    add<TAVQPushButton>("qtbutton", true);
    add<TAVQMenuBar>("qtmenubar", true);
    add<TAVQLabel>("qtlabel", true);
    add<TAVQCheckBox>("qtcheckbox", true);
    add<TAVQLabel>("qtlabel", true);
    add<TAVQListView>("qtlistview", false);
    add<TAVQProgressBar>("qtprogressbar", true);
    add<TAVQRadioButton>("qtradiobox", true);
    add("qtslider", createSlider, true, tableOf<TAVQSlider>());
    add<TAVQTabWidget>("qttab", true);
    add<TAVQLineEdit>("qtdedit", true);
    add<TAVQComboBox>("qtcombobox", true);
    add<TAVQList>("qtlist", true);
    add<TAVQTreeView>("qttree", true);
    add<TAVQTableView>("qtdatagrid", true);
    add<TAVQGroupBox>("qtgroupbox", true);
    add<TAVQSpinBox>("qtspinbox", true);
    add<TAVQLCDNumber>("qtlcdnumber", true);
    add<TAVQSplitter>("qtsplitter", true);
    add<TAVQSwitch>("qtswitch", true);
    add<TAVQScrollView>("qtscrollview", true);
    add<TAVQScrollBar>("qtscrollbar", true);
    add<TAVQTextEdit>("qttext", true);
    add<TAVQLabelEx>("qtlabelex", true);

    add<TAVQContainer>("container", true);
    add<TAVQScrollView>("scrollview", true);
    add<TAVQImage>("picture", true);
    add<TAVQImage>("image", true);
    add<TAVQPushButton>("button", true);
    add<TAVQMenuBar>("menubar", true);
    add<TAVQLabel>("label", true);
    add<TAVQCheckBox>("checkbox", true);
    add<TAVQLabel>("label", true);
    add<TAVQListView>("listview", false);
    add<TAVQProgressBar>("progressbar", true);
    add<TAVQRadioButton>("radio", true);
    add<TAVQRadioButton>("radiobox", true);
    add("slider", createSlider, true, tableOf<TAVQSlider>());
    add<TAVQTabWidget>("tab", true);
    add<TAVQLineEdit>("dedit", true);
    add<TAVQComboBox>("combobox", true);
    add<TAVQListView>("templateList", true);
    add<TAVQList>("list", true);
    add<TAVQTreeView>("tree", true);
    add<TAVQTableView>("datagrid", true);
    add<TAVQGroupBox>("groupbox", true);
    add<TAVQSpinBox>("spinbox", true);
    add<TAVQSpinBox>("dnumedit", true);
    add<TAVQCanvas>("canvas", true);
    add<TAVQSplitter>("splitter", true);
    add<TAVQSwitch>("switch", true);
}

void InitRuntime()
{
    static bool initialised = false;
    if (initialised)
        return;
    QApplication::setStyle(CScrollBarStyle::instance());
    RegisterBuiltinControls();
    TAVQResourceManager::instance().createBuiltinImages();
    TAVQFocusFrame::install();
    initialised = true;
}

void ReleaseRuntime()
{
}

} // namespace TAVQtLib
