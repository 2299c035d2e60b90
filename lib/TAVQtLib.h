#ifndef TAVQTLIB_H
#define TAVQTLIB_H

// Everything an application needs: #include <TAVQtLib/TAVQtLib.h>, link
// TAVQtLib::TAVQtLib (CMake) or `pkg-config --libs tavqtlib` (tavqtlib-qt6 for the
// Qt 6 build).

#include "tavqtlib_export.h"

// Start-up, packages and styles; pages; the window hosting them.
#include "base/tavqlimits.h"
#include "base/tavqqtcompat.h"
#include "base/tavqtextcodec.h"
#include "core/tavqruntime.h"
#include "core/tavqpagebuilder.h"
#include "core/tavqregistry.h"
#include "core/tavqwindow.h"
#include "core/tavqtaborder.h"

// What every control is made of, for programs that write controls of their own.
#include "core/tavqcontrol.h"
#include "core/tavqcontrolbase.h"
#include "core/tavqcontrolbaseimpl.h"
#include "core/tavqfocusframe.h"
#include "core/tavqplatform.h"

// Package files, images and named styles.
#include "resources/tavqpaint.h"
#include "resources/tavqresourcemanager.h"
#include "resources/tavqstyle.h"

// The controls.
#include "controls/tavqcheckbox.h"
#include "controls/tavqcombobox.h"
#include "controls/tavqcontrols.h"
#include "controls/tavqcontainer.h"
#include "controls/tavqedit.h"
#include "controls/tavqimage.h"
#include "controls/tavqitemviewparts.h"
#include "controls/tavqlabel.h"
#include "controls/tavqlist.h"
#include "controls/tavqlistview.h"
#include "controls/tavqmenu.h"
#include "controls/tavqpushbutton.h"
#include "controls/tavqswitch.h"
#include "controls/tavqtableview.h"
#include "controls/tavqtabwidget.h"
#include "controls/tavqtreeview.h"
#include "controls/tavqvaluecontrols.h"

#endif
