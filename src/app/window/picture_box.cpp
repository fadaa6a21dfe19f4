#include "app/window/picture_box.h"

#include <QPainter>

#include "app/window/framed_border.h"
#include "app/window/picture_decoder.h"
#include "app/window/picture_fit.h"
#include "platform/file.h"

namespace veyla::window {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::ShowPictureFile(const std::filesystem::path& file) {
  picture_.reset();
  auto opened = platform::File::OpenForReading(file);
  if (opened.ok()) {
    const QRect inner = InnerArea();
    picture_ = DecodePictureForArea(opened.value(), inner.width(), inner.height());
  }
  update();
}

QImage PictureBox::Picture() const {
  return picture_ ? picture_->image : QImage();
}

QRect PictureBox::InnerArea() const {
  return InsideFramedBorder(rect());
}

QRect PictureBox::PictureArea() const {
  if (!picture_) {
    return {};
  }
  const QRect inner = InnerArea();
  const PictureRect fitted =
      FitPicture(inner.width(), inner.height(), picture_->originalWidth, picture_->originalHeight);
  return {inner.x() + fitted.x, inner.y() + fitted.y, fitted.width, fitted.height};
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect inner = InnerArea();
  painter.fillRect(inner, palette().color(QPalette::Window));
  const QRect area = PictureArea();
  if (!area.isEmpty()) {
    painter.drawImage(area.topLeft(), picture_->image);
  }
  PaintFramedBorder(painter, rect(), palette());
}

}  // namespace veyla::window
