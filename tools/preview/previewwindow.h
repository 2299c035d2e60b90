#ifndef TAVQ_PREVIEWWINDOW_H
#define TAVQ_PREVIEWWINDOW_H

#include "elementinfo.h"
#include "previewpage.h"

#include "tavqlint.h"

#include <QPointer>
#include <QSize>
#include <QWidget>

class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QScrollArea;
class QSplitter;

namespace TAVQtLib {

class TAVQWindow;

namespace Preview {

class ElementOverlay;

// What the preview shows and where it writes its pictures.
struct PreviewOptions
{
    Lint::Source source;
    QString page;
    QSize size;              // invalid: the page's own size, else 800x600
    QString snapshot;        // the page's picture after every rebuild; empty: none
    QString windowSnapshot;  // the whole window's picture after every rebuild
    QString select;          // object name of a control to select after every rebuild
    bool inspect = false;
};

// The page as the runtime shows it, its lint findings beside it, and the
// inspector that tells where each control comes from.
class PreviewWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewWindow(const PreviewOptions &options, QWidget *parent = nullptr);

    // Reads the resources and the page again and builds it anew.
    void rebuild();
    void setInspecting(bool on);
    // Shows where `widget` comes from and outlines it.
    void select(QWidget *widget);
    // Sizes the window to show the whole page beside the panel.
    void fitToPage();

private:
    QWidget *createPanel();
    void reloadResources();
    void buildPage();
    void showFindings(const QVector<Lint::Finding> &findings);
    void findingClicked(QListWidgetItem *item);
    void hover(QWidget *widget);
    void writePictures();

    PreviewOptions m_options;
    PreviewPage m_page;
    ElementInfo m_inspector;
    QPointer<TAVQWindow> m_host;
    QWidget *m_stage = nullptr;
    QScrollArea *m_scroll = nullptr;
    QSplitter *m_splitter = nullptr;
    ElementOverlay *m_overlay = nullptr;
    QCheckBox *m_inspectToggle = nullptr;
    QListWidget *m_findings = nullptr;
    QLabel *m_hoverInfo = nullptr;
    QPlainTextEdit *m_details = nullptr;
};

} // namespace Preview
} // namespace TAVQtLib

#endif
