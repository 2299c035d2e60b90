// The registry of the library's control classes under their page type names.

#include "core/tavqregistry.h"
#include "tavqcontainer.h"
#include "tavqimage.h"
#include "tavqlabel.h"
#include "tavqpushbutton.h"

namespace TAVQtLib {

namespace {

template <typename Control>
QWidget *create()
{
    return new Control(nullptr);
}

} // namespace

void RegisterBuiltinControls()
{
    // Long names first, then the short aliases, in the order pages have always
    // relied on; the list view is listed only under "templateList".
    RegisterControlType("qtcontainer", create<TAVQContainer>, true);
    RegisterControlType("qtpicture", create<TAVQImage>, true);
    RegisterControlType("qtbutton", create<TAVQPushButton>, true);
    RegisterControlType("qtlabel", create<TAVQLabel>, true);
    RegisterControlType("qtlabel", create<TAVQLabel>, true);
    RegisterControlType("qtgroupbox", create<TAVQGroupBox>, true);
    RegisterControlType("qtsplitter", create<TAVQSplitter>, true);
    RegisterControlType("qtscrollview", create<TAVQScrollView>, true);
    RegisterControlType("qtlabelex", create<TAVQLabelEx>, true);

    RegisterControlType("container", create<TAVQContainer>, true);
    RegisterControlType("scrollview", create<TAVQScrollView>, true);
    RegisterControlType("picture", create<TAVQImage>, true);
    RegisterControlType("image", create<TAVQImage>, true);
    RegisterControlType("button", create<TAVQPushButton>, true);
    RegisterControlType("label", create<TAVQLabel>, true);
    RegisterControlType("label", create<TAVQLabel>, true);
    RegisterControlType("groupbox", create<TAVQGroupBox>, true);
    RegisterControlType("canvas", create<TAVQCanvas>, true);
    RegisterControlType("splitter", create<TAVQSplitter>, true);
}

} // namespace TAVQtLib
