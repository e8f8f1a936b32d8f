// Everything that starts another program (calculator, text editor, web
// browser) goes through this interface, so that the windows can be tested
// with a fake.
#pragma once

#include <QString>
#include <QUrl>

namespace tarnvel {

// The maker's web pages: help and the About window's address, and the
// address in the text editor's greeting.
inline const QUrl kHelpPage = QUrl(QStringLiteral("https://tarnvel.example.org/soft"));
inline const QUrl kBlogPage = QUrl(QStringLiteral("https://tarnvel.example.org/blog"));

class Platform {
 public:
  virtual ~Platform() = default;
  // Each starts the program without waiting for it. On failure it returns
  // false and says why in `error`; the system keeps running.
  virtual bool startCalculator(QString* error) = 0;
  // Opens the desktop's text editor on a new document holding `text`.
  virtual bool openTextEditor(const QString& text, QString* error) = 0;
  // Opens the page in the desktop's default browser.
  virtual bool openWebPage(const QUrl& url, QString* error) = 0;
};

// The real desktop: the first calculator and text editor found among the
// common ones, the default browser through the desktop's URL handler.
class DesktopPlatform : public Platform {
 public:
  bool startCalculator(QString* error) override;
  bool openTextEditor(const QString& text, QString* error) override;
  bool openWebPage(const QUrl& url, QString* error) override;
};

}  // namespace tarnvel
