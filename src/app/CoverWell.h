#pragma once
// The cover well of the details pages: a small button showing the track's front cover.
// Its menu takes a picture of the user's ("Browse...", a JPEG or PNG file) or removes it
// ("None"); a picture file dropped on it is taken too. A chosen picture is made fit for a
// tag (NormaliseCover) before anyone sees it. Main thread only.
#include "platform/Picture.h"

#include <QPixmap>
#include <QToolButton>
#include <functional>
#include <memory>
#include <string>

class CoverWell : public QToolButton {
public:
    // objectName `<prefix>Cover`, its menu's actions `<prefix>CoverBrowse` and
    // `<prefix>CoverNone`. `chosen` gets the user's picture, or null for "None".
    CoverWell(QWidget* parent, const QString& prefix, std::function<void(std::shared_ptr<const Picture>)> chosen);

    // Shows the picture (null: the empty well).
    void Show(const std::shared_ptr<const Picture>& picture);
    // Takes the picture file as Browse or a drop does; a file that is no usable picture
    // is told in a message box naming it.
    void TakeFile(const std::string& path);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void Browse();

    std::function<void(std::shared_ptr<const Picture>)> chosen_;
};

// A thumbnail of the picture, `side` pixels on its long side; empty when it cannot be read.
QPixmap CoverThumbnail(const Picture& picture, int side);
