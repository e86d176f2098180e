#include "ui/ShowURL.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

namespace {

void openWithDesktop(const Text& url)
{
    const QUrl parsed(QString::fromStdString(url.bytes()), QUrl::StrictMode);
    if (parsed.isValid() && !parsed.scheme().isEmpty())
        QDesktopServices::openUrl(parsed);
}

UrlOpener& currentOpener()
{
    static UrlOpener opener = &openWithDesktop;
    return opener;
}

} // namespace

void ShowURL(const Text& url) { currentOpener()(url); }

UrlOpener setUrlOpener(UrlOpener opener)
{
    UrlOpener previous = std::move(currentOpener());
    currentOpener() = opener ? std::move(opener) : UrlOpener(&openWithDesktop);
    return previous;
}

} // namespace platform
