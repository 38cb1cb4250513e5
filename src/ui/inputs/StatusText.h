#pragma once
// Panel 0 of the status bar: one line of text that is shortened in the middle, the
// way a file path is, when the panel is too narrow for it.

#include <QFontMetrics>
#include <QString>
#include <QWidget>

// Shortens text to fit width: characters in the middle become "...", keeping as much as
// possible of the part from the last backslash on, and then as much of the start as
// fits. When even that part does not fit, "..." is followed by as much of its end as
// fits. A text without a backslash keeps its start and its end in equal shares around
// the "...". A width too small even for "..." gives as many dots as fit.
QString PathEllipsis(const QString& text, const QFontMetrics& metrics, int width);

class TStatusText : public QWidget {  // panel 0 of StatusBar: one line, left, vertically centred, 2 px margins
  Q_OBJECT
 public:
  static constexpr int kMargin = 2;

  explicit TStatusText(QWidget* parent = nullptr);
  void SetText(const QString& text);  // repaints
  QString Text() const;               // the stored, unshortened text
  // What the panel shows at its present width.
  QString ShownText() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  QString text_;
};
