// A button that shows a picture for each of its states instead of a caption.
#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace qinghe {

// Shows its disabled picture when disabled, its pressed picture while the left button is
// held over it, its hover picture while the pointer is over it, and its normal picture
// otherwise or when the picture of the state is empty. It clicks when the left button is
// released over the enabled button (the behaviour of QAbstractButton).
class PictureButton : public QAbstractButton {
  Q_OBJECT

 public:
  struct Pictures {
    QPixmap normal;
    QPixmap hover;
    QPixmap pressed;
    QPixmap disabled;
  };

  PictureButton(const Pictures& pictures, QWidget* parent);

  // The picture that the button shows in its present state.
  const QPixmap& CurrentPicture() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  Pictures pictures_;
  bool hovered_ = false;
};

}  // namespace qinghe
