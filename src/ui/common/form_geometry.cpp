#include "ui/common/form_geometry.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>
#include <algorithm>

namespace tarnvel {

namespace {

constexpr double kDesignDpi = 96;
constexpr int kFormPointSize = 9;

QRect Scaled(const QRect& r, double factor) {
  return QRect(qRound(r.x() * factor), qRound(r.y() * factor), qRound(r.width() * factor),
               qRound(r.height() * factor));
}

// The space kept between a label's text and the control it names.
constexpr int kLabelGap = 2;

// The form's labels were placed for "宋体", whose lines are 12 pixels high
// at 96 dpi and whose Latin letters are half as wide as its Chinese ones;
// the CJK fallbacks need up to half as much again, so a label cut to the old
// size loses its descenders and the end of its text. Each label gets its
// text's full size, moving as little as it can:
// - a single line grows about its centre line (it is centred on the box
//   beside it) and to the right, and moves left only where its text would
//   run into the control after it;
// - a text that starts at the top of its label starts below the title of its
//   group, inside the group's frame.
void FitLabelsToText(QWidget* form) {
  for (QLabel* label : form->findChildren<QLabel*>()) {
    if (label->text().isEmpty() || label->isWindow()) continue;
    QRect r = label->geometry();
    const QSize need = label->sizeHint();
    if (label->wordWrap()) {
      auto* group = qobject_cast<QGroupBox*>(label->parentWidget());
      const QRect inside = group ? group->contentsRect() : QRect();
      if (group && (label->alignment() & Qt::AlignTop) && r.top() < inside.top()) {
        r.moveTop(inside.top());
        if (r.bottom() > inside.bottom())
          r.setBottom(std::max(inside.bottom(), r.top() + label->heightForWidth(r.width()) - 1));
      }
      label->setGeometry(r);
      continue;
    }
    if (r.height() < need.height()) {
      r.setTop(r.top() - (need.height() - r.height()) / 2);
      r.setHeight(need.height());
    }
    r.setWidth(std::max(r.width(), need.width()));
    int textEnd = r.left() + need.width() + kLabelGap;
    for (const QWidget* next :
         label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (next == label || qobject_cast<const QLabel*>(next)) continue;
      const QRect n = next->geometry();
      if (n.left() > label->x() && n.left() < textEnd && n.top() <= r.bottom() &&
          n.bottom() >= r.top())
        textEnd = n.left();
    }
    if (textEnd < r.left() + need.width() + kLabelGap)
      r.moveLeft(std::max(label->parentWidget()->contentsRect().left(),
                          textEnd - kLabelGap - need.width()));
    label->setGeometry(r);
  }
}

}  // namespace

QFont FormFont() {
  QFont font;
  font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                    QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Serif CJK SC"),
                    QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Droid Sans Fallback")});
  font.setPointSize(kFormPointSize);
  return font;
}

void FitFormToScreen(QWidget* form) {
  form->setFont(FormFont());
  const double factor = form->logicalDpiX() / kDesignDpi;
  if (!qFuzzyCompare(factor, 1.0)) {
    for (QWidget* child : form->findChildren<QWidget*>())
      if (!child->isWindow()) child->setGeometry(Scaled(child->geometry(), factor));
    form->resize(qRound(form->width() * factor), qRound(form->height() * factor));
  }
  FitLabelsToText(form);
}

}  // namespace tarnvel
