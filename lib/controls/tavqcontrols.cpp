// The registry of the library's control classes under their page type names.

#include "core/tavqregistry.h"
#include "tavqcheckbox.h"
#include "tavqcombobox.h"
#include "tavqcontainer.h"
#include "tavqedit.h"
#include "tavqimage.h"
#include "tavqlabel.h"
#include "tavqlist.h"
#include "tavqlistview.h"
#include "tavqmenu.h"
#include "tavqpushbutton.h"
#include "tavqswitch.h"
#include "tavqtableview.h"
#include "tavqtabwidget.h"
#include "tavqtreeview.h"
#include "tavqvaluecontrols.h"

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

} // namespace

void RegisterBuiltinControls()
{
    // Long names first, then the short aliases, in the order pages have always
    // relied on; the list view is listed only under "templateList".
    RegisterControlType("qtcontainer", create<TAVQContainer>, true);
    RegisterControlType("qtpicture", create<TAVQImage>, true);
    RegisterControlType("qtbutton", create<TAVQPushButton>, true);
    RegisterControlType("qtmenubar", create<TAVQMenuBar>, true);
    RegisterControlType("qtlabel", create<TAVQLabel>, true);
    RegisterControlType("qtcheckbox", create<TAVQCheckBox>, true);
    RegisterControlType("qtlabel", create<TAVQLabel>, true);
    RegisterControlType("qtlistview", create<TAVQListView>, false);
    RegisterControlType("qtprogressbar", create<TAVQProgressBar>, true);
    RegisterControlType("qtradiobox", create<TAVQRadioButton>, true);
    RegisterControlType("qtslider", createSlider, true);
    RegisterControlType("qttab", create<TAVQTabWidget>, true);
    RegisterControlType("qtdedit", create<TAVQLineEdit>, true);
    RegisterControlType("qtcombobox", create<TAVQComboBox>, true);
    RegisterControlType("qtlist", create<TAVQList>, true);
    RegisterControlType("qttree", create<TAVQTreeView>, true);
    RegisterControlType("qtdatagrid", create<TAVQTableView>, true);
    RegisterControlType("qtgroupbox", create<TAVQGroupBox>, true);
    RegisterControlType("qtspinbox", create<TAVQSpinBox>, true);
    RegisterControlType("qtlcdnumber", create<TAVQLCDNumber>, true);
    RegisterControlType("qtsplitter", create<TAVQSplitter>, true);
    RegisterControlType("qtswitch", create<TAVQSwitch>, true);
    RegisterControlType("qtscrollview", create<TAVQScrollView>, true);
    RegisterControlType("qtscrollbar", create<TAVQScrollBar>, true);
    RegisterControlType("qttext", create<TAVQTextEdit>, true);
    RegisterControlType("qtlabelex", create<TAVQLabelEx>, true);

    RegisterControlType("container", create<TAVQContainer>, true);
    RegisterControlType("scrollview", create<TAVQScrollView>, true);
    RegisterControlType("picture", create<TAVQImage>, true);
    RegisterControlType("image", create<TAVQImage>, true);
    RegisterControlType("button", create<TAVQPushButton>, true);
    RegisterControlType("menubar", create<TAVQMenuBar>, true);
    RegisterControlType("label", create<TAVQLabel>, true);
    RegisterControlType("checkbox", create<TAVQCheckBox>, true);
    RegisterControlType("label", create<TAVQLabel>, true);
    RegisterControlType("listview", create<TAVQListView>, false);
    RegisterControlType("progressbar", create<TAVQProgressBar>, true);
    RegisterControlType("radio", create<TAVQRadioButton>, true);
    RegisterControlType("radiobox", create<TAVQRadioButton>, true);
    RegisterControlType("slider", createSlider, true);
    RegisterControlType("tab", create<TAVQTabWidget>, true);
    RegisterControlType("dedit", create<TAVQLineEdit>, true);
    RegisterControlType("combobox", create<TAVQComboBox>, true);
    RegisterControlType("templateList", create<TAVQListView>, true);
    RegisterControlType("list", create<TAVQList>, true);
    RegisterControlType("tree", create<TAVQTreeView>, true);
    RegisterControlType("datagrid", create<TAVQTableView>, true);
    RegisterControlType("groupbox", create<TAVQGroupBox>, true);
    RegisterControlType("spinbox", create<TAVQSpinBox>, true);
    RegisterControlType("dnumedit", create<TAVQSpinBox>, true);
    RegisterControlType("canvas", create<TAVQCanvas>, true);
    RegisterControlType("splitter", create<TAVQSplitter>, true);
    RegisterControlType("switch", create<TAVQSwitch>, true);
}

} // namespace TAVQtLib
