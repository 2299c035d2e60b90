#ifndef TAVQ_LIMITS_H
#define TAVQ_LIMITS_H

#include <QtGlobal>

namespace TAVQtLib {

/// The bounds that keep any page, menu file, style sheet, image or package,
/// however malformed or huge, within bounded time and memory. Input beyond a
/// bound is handled as other damage is: skipped or cut, silently, and the rest
/// still works. `tavq-lint` reports where a page goes over one.
namespace Limits {

/// Elements nested deeper than this are skipped with their children.
constexpr int MaxElementDepth = 256;
/// Children one element builds (its first ones), top-level elements of a page,
/// items of one menu. Qt paints siblings recursively, one stack frame each.
constexpr int MaxChildElements = 4096;
/// Elements one page builds (or items one menu file makes), counted in the
/// order they are built; the later ones are skipped.
constexpr int MaxPageElements = 10000;
/// Items one list attribute (a combo box's or a list's "items") holds.
constexpr int MaxListItems = 10000;
/// Pages, menu files and style sheets larger than this are not read.
constexpr qint64 MaxDocumentBytes = qint64(4) << 20;
/// Strings read from those documents keep at most this many bytes.
constexpr int MaxStringBytes = 64 << 10;
/// A page's window keys ("w", "h", "minW", "minH") are cut to this.
constexpr int MaxWindowExtent = 8192;
/// Images whose decoded pixels (4 bytes each) would take more are not decoded.
constexpr qint64 MaxImageBytes = qint64(128) << 20;
/// All entries of a package together inflate to at most this; an entry that
/// would go beyond it is not read.
constexpr qint64 MaxPackageBytes = qint64(512) << 20;

} // namespace Limits

/// The name the page builder has always had.
using Limits::MaxElementDepth;

} // namespace TAVQtLib

#endif
