#include "gui/MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include "gui/PreviewWindow.h"

namespace tessera::gui {

namespace {

constexpr qint64 kRepaintEveryMs = 30;
constexpr const char* kPreviewAction = "&Preview as on the GP32...";
constexpr const char* kColoursAction = "&Colours...";

// The one local file a drag carries, or an empty string.
QString droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return {};
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

// The information label lines its values up in a fixed-pitch font.
QFont fixedPitchFont() {
    if (QFontDatabase::families().contains(QStringLiteral("Courier New"))) {
        QFont courier(QStringLiteral("Courier New"));
        courier.setPointSizeF(8.25);
        return courier;
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

void fillWith(QWidget* w, QPalette::ColorRole role) {
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, palette.color(role));
    w->setPalette(palette);
    w->setAutoFillBackground(true);
}

}  // namespace

MainWindow::MainWindow(Form1& form, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      form_(form),
      views_(this, form.controls()) {
    setWindowTitle(QString::fromUtf8(Form1::kCaption));

    for (const auto& b : views_.all()) {
        if (auto* label = qobject_cast<QLabel*>(b.widget)) {
            const auto look = static_cast<const Label*>(b.model)->look;
            if (look == LabelLook::FixedPitchInfo) {
                label->setFont(fixedPitchFont());
                fillWith(label, QPalette::Base);
            } else if (look == LabelLook::ProgressBar) {
                fillWith(label, QPalette::Highlight);
                progressBar_ = label;
            }
        }
    }

    scale_ = TwipsScale(views_.fittingFactor());
    views_.place(scale_);
    setFixedSize(scale_.size(Form1::kClientWidth, Form1::kClientHeight));
    views_.connect([this](const std::function<void()>& action) { run(action); });

    // Quit is the window's cancel button: Escape presses it.
    auto* quit = static_cast<QPushButton*>(widget(form_.cmdQuitter));
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    QObject::connect(escape, &QShortcut::activated, quit, &QPushButton::click);

    // The preview: a shortcut, and a context menu on the information panel it illustrates.
    auto* previewKey = new QShortcut(previewShortcut(), this);
    QObject::connect(previewKey, &QShortcut::activated, this, &MainWindow::showPreview);
    auto* coloursKey = new QShortcut(coloursShortcut(), this);
    QObject::connect(coloursKey, &QShortcut::activated, this, &MainWindow::showColours);
    QWidget* info = widget(form_.lblBMPName);
    info->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(info, &QWidget::customContextMenuRequested, this, [this, info](QPoint at) {
        QMenu menu(this);
        QAction* action =
            menu.addAction(QString::fromUtf8(kPreviewAction), this, &MainWindow::showPreview);
        action->setShortcut(previewShortcut());
        menu.addAction(QString::fromUtf8(kColoursAction), this, &MainWindow::showColours)
            ->setShortcut(coloursShortcut());
        menu.exec(info->mapToGlobal(at));
    });
    setAcceptDrops(true);

    mirror();
    quit->setFocus();
    sinceRepaint_.start();
}

QKeySequence MainWindow::previewShortcut() {
    return QKeySequence(Qt::CTRL | Qt::Key_P);
}

QKeySequence MainWindow::coloursShortcut() {
    return QKeySequence(Qt::CTRL | Qt::Key_K);
}

void MainWindow::showColours() {
    if (!busy_ && !form_.unloaded())
        run([this] { form_.mnuColours_Click(); });
}

void MainWindow::showPreview() {
    if (!preview_)
        preview_ = new PreviewWindow(form_, this);
    preview_->refresh();
    preview_->show();
    preview_->raise();
    preview_->activateWindow();
}

void MainWindow::openFile(const QString& path) {
    if (busy_ || !openAnswer_ || form_.unloaded())
        return;
    openAnswer_(path);
    CommandButton& load =
        QFileInfo(path).suffix().compare(QLatin1String("wav"), Qt::CaseInsensitive) == 0
            ? form_.cmdWAVLoad
            : form_.cmdBMPLoad;
    run([&load] { load.click(); });
}

void MainWindow::openLater(const QString& path) {
    QTimer::singleShot(0, this, [this, path] { openFile(path); });
}

bool MainWindow::acceptsDrop(const QMimeData* data) {
    static const QStringList kinds = {QStringLiteral("bmp"), QStringLiteral("png"),
                                      QStringLiteral("raw"), QStringLiteral("wav")};
    const QString file = droppedFile(data);
    return !file.isEmpty() && kinds.contains(QFileInfo(file).suffix().toLower());
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!busy_ && acceptsDrop(event->mimeData()))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString file = droppedFile(event->mimeData());
    if (file.isEmpty() || busy_)
        return;
    event->acceptProposedAction();
    openFile(file);
}

void MainWindow::mirror() {
    views_.mirror(scale_);
}

void MainWindow::run(const std::function<void()>& action) {
    busy_ = true;
    action();
    busy_ = false;
    mirror();
    if (preview_ && preview_->isVisible())
        preview_->refresh();
    if (form_.unloaded() || closeWhenIdle_)
        close();
}

void MainWindow::showProgress(double twips) {
    if (!progressBar_)
        return;
    progressBar_->resize(scale_.px(twips), progressBar_->height());
    if (sinceRepaint_.elapsed() < kRepaintEveryMs)
        return;
    sinceRepaint_.restart();
    progressBar_->repaint();
    // Lets the window system show the new width; clicks and keys wait for the command's end.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A close asked for in the middle of a conversion waits until the command has finished, so
    // the model is never torn down under a running handler.
    if (busy_) {
        closeWhenIdle_ = true;
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace tessera::gui
