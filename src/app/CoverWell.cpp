#include "app/CoverWell.h"

#include "platform/image/CoverImage.h"
#include "platform/os/Dialogs.h"
#include "platform/os/ErrorReport.h"

#include <QAction>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QMenu>
#include <QMimeData>
#include <QPixmap>
#include <QUrl>
#include <optional>

namespace {
constexpr int kWellSide = 24;  // the text line and the icon fit the well's 42 px

std::optional<std::string> DroppedPicture(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().front().isLocalFile())
        return std::nullopt;
    const QString path = data->urls().front().toLocalFile();
    const QString lower = path.toLower();
    if (!lower.endsWith(".jpg") && !lower.endsWith(".jpeg") && !lower.endsWith(".png"))
        return std::nullopt;
    return path.toStdString();
}
}  // namespace

QPixmap CoverThumbnail(const Picture& picture, int side)
{
    QPixmap pixmap;
    if (!pixmap.loadFromData(picture.bytes.data(), uint(picture.bytes.size())))
        return {};
    return pixmap.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

CoverWell::CoverWell(QWidget* parent, const QString& prefix, std::function<void(std::shared_ptr<const Picture>)> chosen)
    : QToolButton(parent), chosen_(std::move(chosen))
{
    setObjectName(prefix + "Cover");
    setAccessibleName(QCoreApplication::translate("CoverWell", "Cover picture"));
    setToolTip(QCoreApplication::translate(
        "CoverWell", "Cover picture: Browse for a JPEG or PNG file or drop one here; None removes it"));
    setAcceptDrops(true);
    setPopupMode(QToolButton::InstantPopup);
    setIconSize(QSize(kWellSide, kWellSide));
    auto* menu = new QMenu(this);
    QAction* browse = menu->addAction(QCoreApplication::translate("CoverWell", "Browse..."));
    browse->setObjectName(prefix + "CoverBrowse");
    connect(browse, &QAction::triggered, this, [this] { Guarded([&] { Browse(); }); });
    QAction* none = menu->addAction(QCoreApplication::translate("CoverWell", "None"));
    none->setObjectName(prefix + "CoverNone");
    connect(none, &QAction::triggered, this, [this] { Guarded([&] { chosen_(nullptr); }); });
    setMenu(menu);
    Show(nullptr);
}

void CoverWell::Show(const std::shared_ptr<const Picture>& picture)
{
    const QPixmap thumbnail = picture ? CoverThumbnail(*picture, kWellSide) : QPixmap();
    setIcon(thumbnail.isNull() ? QIcon() : QIcon(thumbnail));
    setText(thumbnail.isNull() ? QCoreApplication::translate("CoverWell", "Cover") : QString());
    setToolButtonStyle(thumbnail.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
}

void CoverWell::TakeFile(const std::string& path)
{
    CoverResult made = LoadCoverFile(path);
    if (!made.picture) {
        AppDialogs().ShowMessage(
            QCoreApplication::translate("CoverWell", "This picture cannot be used as the cover.").toStdString() + "\n" +
            made.problem);
        return;
    }
    chosen_(std::make_shared<const Picture>(std::move(*made.picture)));
}

void CoverWell::Browse()
{
    FileDialogOptions options;
    options.title = QCoreApplication::translate("CoverWell", "Choose a cover picture").toStdString();
    options.filter =
        QCoreApplication::translate("CoverWell", "Pictures (*.jpg;*.jpeg;*.png)|*.jpg;*.jpeg;*.png").toStdString();
    if (const std::optional<std::string> path = AppDialogs().OpenFile(options))
        TakeFile(*path);
}

void CoverWell::dragEnterEvent(QDragEnterEvent* event)
{
    if (DroppedPicture(event->mimeData()))
        event->acceptProposedAction();
}

void CoverWell::dropEvent(QDropEvent* event)
{
    const auto path = DroppedPicture(event->mimeData());
    if (!path)
        return;
    event->acceptProposedAction();
    Guarded([&] { TakeFile(*path); });
}
