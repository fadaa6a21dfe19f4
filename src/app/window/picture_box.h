#pragma once
// The picture box (图片框2): framed, filled with the window's background colour, showing one
// picture fitted into its inner area (picture_fit.h). It starts empty.

#include <QWidget>
#include <filesystem>
#include <optional>

#include "app/window/decoded_picture.h"

namespace veyla::window {

class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent);

  // Drops the picture shown, then shows the one held in `file`. A file that cannot be opened
  // (missing, not a regular file, the empty path) or holds no picture it recognises leaves the
  // box empty.
  void ShowPictureFile(const std::filesystem::path& file);

  bool HasPicture() const { return picture_.has_value(); }
  // The picture as drawn (at its drawn size); null without one.
  QImage Picture() const;
  // The area inside the border, in the box's coordinates.
  QRect InnerArea() const;
  // Where the picture is drawn, in the box's coordinates; empty without one.
  QRect PictureArea() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<DecodedPicture> picture_;
};

}  // namespace veyla::window
