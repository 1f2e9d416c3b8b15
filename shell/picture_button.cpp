#include "picture_button.h"

#include <QPainter>

namespace qinghe {

PictureButton::PictureButton(const Pictures& pictures, QWidget* parent)
    : QAbstractButton(parent), pictures_(pictures) {
  setFocusPolicy(Qt::NoFocus);
}

const QPixmap& PictureButton::CurrentPicture() const {
  const QPixmap* picture = &pictures_.normal;
  if (!isEnabled()) {
    picture = &pictures_.disabled;
  } else if (isDown()) {
    picture = &pictures_.pressed;
  } else if (hovered_) {
    picture = &pictures_.hover;
  }
  return picture->isNull() ? pictures_.normal : *picture;
}

QSize PictureButton::sizeHint() const { return pictures_.normal.size(); }

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, CurrentPicture());
}

void PictureButton::enterEvent(QEnterEvent* event) {
  QAbstractButton::enterEvent(event);
  hovered_ = true;
  update();
}

void PictureButton::leaveEvent(QEvent* event) {
  QAbstractButton::leaveEvent(event);
  hovered_ = false;
  update();
}

}  // namespace qinghe
