#include "previewwindow.h"

#include "elementoverlay.h"
#include "toolsupport.h"

#include "core/tavqruntime.h"
#include "core/tavqwindow.h"
#include "resources/tavqresourcemanager.h"

#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

namespace TAVQtLib {
namespace Preview {

namespace {

// Lets deferred layout and paint requests of the new page arrive first.
constexpr int PictureDelayMs = 30;
constexpr int FindingLineRole = Qt::UserRole;
const QSize DefaultPageSize(800, 600);
constexpr int PanelWidth = 520;
constexpr int MinimumHeight = 560;

void savePicture(const QPixmap &picture, const QString &path)
{
    // Written whole or not at all: scripts read the picture while we work.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit())
        std::fprintf(stderr, "tavq-preview: %s: cannot write the picture\n", qPrintable(path));
}

QString captionOf(const ElementAnswer &answer)
{
    return answer.name.isEmpty() ? answer.type : QStringLiteral("%1 %2").arg(answer.type, answer.name);
}

} // namespace

PreviewWindow::PreviewWindow(const PreviewOptions &options, QWidget *parent)
    : QWidget(parent)
    , m_options(options)
    , m_inspector(m_page)
    , m_stage(new QWidget)
    , m_scroll(new QScrollArea)
    , m_splitter(new QSplitter)
    , m_inspectToggle(new QCheckBox(tr("Inspect")))
    , m_findings(new QListWidget)
    , m_hoverInfo(new QLabel)
    , m_details(new QPlainTextEdit)
{
    setWindowTitle(tr("%1 - page preview").arg(options.page));
    m_overlay = new ElementOverlay(m_stage);
    m_overlay->hide();
    m_scroll->setWidget(m_stage);
    m_splitter->addWidget(m_scroll);
    m_splitter->addWidget(createPanel());
    m_splitter->setStretchFactor(0, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);

    connect(m_inspectToggle, &QCheckBox::toggled, this, &PreviewWindow::setInspecting);
    connect(m_findings, &QListWidget::itemClicked, this, &PreviewWindow::findingClicked);
    connect(m_overlay, &ElementOverlay::hovered, this, &PreviewWindow::hover);
    connect(m_overlay, &ElementOverlay::clicked, this, &PreviewWindow::select);
    setInspecting(options.inspect);
}

QWidget *PreviewWindow::createPanel()
{
    m_inspectToggle->setToolTip(tr("Hover to see where an element comes from, click to see its text"));
    // Named for scripts and tests; page controls are looked up under the page host.
    m_hoverInfo->setObjectName(QStringLiteral("previewHoverInfo"));
    m_details->setObjectName(QStringLiteral("previewDetails"));
    m_hoverInfo->setWordWrap(true);
    m_hoverInfo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_findings->setWordWrap(true);
    m_details->setReadOnly(true);
    m_details->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed(QStringLiteral("monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    m_details->setFont(fixed);
    m_details->setPlaceholderText(tr("Click an element while inspecting, or a finding."));

    auto *panel = new QWidget;
    auto *column = new QVBoxLayout(panel);
    column->addWidget(m_inspectToggle);
    column->addWidget(new QLabel(tr("Lint findings")));
    column->addWidget(m_findings, 2);
    column->addWidget(m_hoverInfo);
    column->addWidget(m_details, 3);
    return panel;
}

void PreviewWindow::fitToPage()
{
    const QSize page = m_stage->size() + QSize(2 * m_scroll->frameWidth(), 2 * m_scroll->frameWidth());
    resize(page.width() + m_splitter->handleWidth() + PanelWidth, qMax(page.height(), MinimumHeight));
    m_splitter->setSizes({page.width(), PanelWidth});
}

void PreviewWindow::rebuild()
{
    const QVector<Lint::Finding> findings = Lint::lintPage(m_options.source, m_options.page);
    // The old page's controls use images the resource manager owns and is about to drop.
    delete m_host;
    reloadResources();
    buildPage();
    showFindings(findings);
    m_hoverInfo->clear();
    m_details->clear();
    if (!m_options.select.isEmpty())
        select(m_host->findChild<QWidget *>(m_options.select));
    QTimer::singleShot(PictureDelayMs, this, &PreviewWindow::writePictures);
}

void PreviewWindow::reloadResources()
{
    // The manager keeps what it read; a clean slate makes it read everything again.
    TAVQResourceManager::instance().clear();
    TAVQResourceManager::instance().closePackage();
    if (!m_options.source.packagePath.isEmpty())
        OpenPackage(m_options.source.packagePath);
    if (!m_options.source.folder.isEmpty())
        LoadStyleFolder(m_options.source.folder);
}

void PreviewWindow::buildPage()
{
    auto *host = new TAVQWindow;
    // A part of this window, not a window of its own; Escape must not close it.
    host->setParent(m_stage);
    connect(host, &QDialog::finished, host, &QWidget::show);
    host->resize(DefaultPageSize);
    m_page.load(host, m_options.page);
    if (m_options.size.isValid())
        host->resize(m_options.size);
    if (IsDesignerHost())
        ToolSupport::fillPreviewRows(host);
    host->move(0, 0);
    m_stage->resize(host->size());
    host->show();
    m_host = host;
    m_overlay->cover(host);
}

void PreviewWindow::showFindings(const QVector<Lint::Finding> &findings)
{
    m_findings->clear();
    for (const Lint::Finding &finding : findings) {
        auto *item = new QListWidgetItem(Lint::formatFinding(finding), m_findings);
        item->setData(FindingLineRole, finding.file == m_options.page ? finding.line : 0);
        if (finding.severity == Lint::Severity::Error)
            item->setForeground(Qt::darkRed);
    }
    if (findings.isEmpty())
        new QListWidgetItem(tr("No findings."), m_findings);
}

void PreviewWindow::findingClicked(QListWidgetItem *item)
{
    const int line = item->data(FindingLineRole).toInt();
    QWidget *control = line > 0 ? m_page.controlAtLine(line) : nullptr;
    if (!control)
        return;
    m_inspectToggle->setChecked(true);
    select(control);
}

void PreviewWindow::setInspecting(bool on)
{
    m_inspectToggle->setChecked(on);
    m_overlay->setVisible(on);
    m_overlay->raise();
    if (!on)
        m_hoverInfo->clear();
}

void PreviewWindow::hover(QWidget *widget)
{
    const ElementAnswer answer = m_inspector.answerFor(widget);
    m_overlay->outline(answer.control, captionOf(answer));
    m_hoverInfo->setText(ElementInfo::describe(answer, false));
}

void PreviewWindow::select(QWidget *widget)
{
    const ElementAnswer answer = m_inspector.answerFor(widget);
    m_overlay->outline(answer.control, captionOf(answer));
    m_details->setPlainText(ElementInfo::describe(answer, true));
}

void PreviewWindow::writePictures()
{
    if (!m_options.snapshot.isEmpty() && m_host)
        savePicture(m_host->grab(), m_options.snapshot);
    if (!m_options.windowSnapshot.isEmpty())
        savePicture(grab(), m_options.windowSnapshot);
}

} // namespace Preview
} // namespace TAVQtLib
