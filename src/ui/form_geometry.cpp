#include "form_geometry.h"

#include <QFont>
#include <QWidget>

namespace tarnvel {

namespace {

constexpr double kDesignDpi = 96;
constexpr int kFormPointSize = 9;

QRect Scaled(const QRect& r, double factor) {
  return QRect(qRound(r.x() * factor), qRound(r.y() * factor), qRound(r.width() * factor),
               qRound(r.height() * factor));
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
  if (qFuzzyCompare(factor, 1.0)) return;
  for (QWidget* child : form->findChildren<QWidget*>())
    if (!child->isWindow()) child->setGeometry(Scaled(child->geometry(), factor));
  form->resize(qRound(form->width() * factor), qRound(form->height() * factor));
}

}  // namespace tarnvel
