#include "ReportPreviewDialog.h"

#include "Interaction.h"
#include "ReportDocument.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>
#include <QToolBar>
#include <QTranslator>

namespace {

// The preview's buttons take their texts when the base dialog is built, so
// the translation must be in place before that: this runs in the base
// initialiser.
QWidget* withChineseTexts(QWidget* parent)
{
    ReportPreviewDialog::installChineseTranslation();
    return parent;
}

const QString appCaption = QStringLiteral("汀岑进销存");

} // namespace

void ReportPreviewDialog::installChineseTranslation()
{
    static bool installed = false;
    if (installed || !QCoreApplication::instance())
        return;
    installed = true;
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator; // without Qt's translations the buttons stay English
}

ReportPreviewDialog::ReportPreviewDialog(std::shared_ptr<const ReportDocument> document, QWidget* parent)
    : QPrintPreviewDialog(withChineseTexts(parent))
    , m_document(std::move(document))
{
    const QString title = m_document->title();
    setWindowTitle(title.isEmpty() ? QStringLiteral("打印预览") : QStringLiteral("打印预览 - %1").arg(title));
    m_document->applyPageLayout(*printer());

    connect(this, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        QString error;
        if (!m_document->print(*target, &error))
            Interaction::current().error(this, appCaption, error);
    });

    openLargeAtPageWidth();

    m_saveAsPdf = new QAction(QStringLiteral("另存为 PDF…"), this);
    m_saveAsPdf->setObjectName(QStringLiteral("saveAsPdf"));
    m_saveAsPdf->setToolTip(QStringLiteral("把报表保存为 PDF 文件"));
    connect(m_saveAsPdf, &QAction::triggered, this, [this] { saveAsPdf(); });
    if (QToolBar* toolBar = findChild<QToolBar*>()) {
        toolBar->addSeparator();
        toolBar->addAction(m_saveAsPdf);
    } else {
        addAction(m_saveAsPdf);
    }
}

void ReportPreviewDialog::openLargeAtPageWidth()
{
    // Qt's own size and "fit page" zoom leave an A4 page at under half
    // its size, too small to read: most of the screen, at page width.
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        const QSize size(area.width() * 9 / 10, area.height() * 9 / 10);
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, area));
    }
    if (QAction* fitWidth = findChild<QAction*>(QStringLiteral("fitWidthAction")))
        fitWidth->setChecked(true);
    if (QPrintPreviewWidget* preview = findChild<QPrintPreviewWidget*>())
        preview->fitToWidth();
}

QPrintPreviewWidget* ReportPreviewDialog::previewWidget() const
{
    return findChild<QPrintPreviewWidget*>();
}

QString ReportPreviewDialog::suggestedPdfPath() const
{
    QString name = m_document->title().trimmed();
    // Titles are Chinese words, but never let one smuggle in a folder.
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    if (name.isEmpty())
        name = QStringLiteral("报表");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(name + QStringLiteral(".pdf"));
}

bool ReportPreviewDialog::saveAsPdf()
{
    Interaction& ui = Interaction::current();
    QString path
        = ui.saveFileName(this, QStringLiteral("另存为 PDF"), suggestedPdfPath(), QStringLiteral("PDF 文件 (*.pdf)"));
    if (path.isEmpty())
        return false;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    QString error;
    if (!m_document->writePdf(path, &error)) {
        ui.error(this, appCaption, error);
        return false;
    }
    return true;
}

bool ReportPreviewDialog::showDocument(
    const std::shared_ptr<const ReportDocument>& document, bool modal, QString* error)
{
    if (!document) {
        if (error)
            *error = QStringLiteral("没有可显示的报表");
        return false;
    }
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        if (error)
            *error = QStringLiteral("打印预览需要图形界面");
        return false;
    }
    if (modal) {
        ReportPreviewDialog dialog(document, QApplication::activeWindow());
        Interaction::current().runModal(&dialog);
        return true;
    }
    auto* dialog = new ReportPreviewDialog(document, QApplication::activeWindow());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    return true;
}
