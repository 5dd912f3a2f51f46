#include "ui/HelpBrowser.h"

#include "ui/SupportedEcusPage.h"

#include <QTextDocument>

namespace {

const QString kSupportedEcusPage = QStringLiteral("ecus.html");

} // namespace

HelpBrowser::HelpBrowser(QWidget* parent)
    : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("HelpBrowser"));
    setOpenLinks(true);
    setOpenExternalLinks(false);
}

QUrl HelpBrowser::ContentsUrl()
{
    return QUrl(QStringLiteral("qrc:/help/index.html"));
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    if (type == QTextDocument::HtmlResource && name == ContentsUrl().resolved(QUrl(kSupportedEcusPage)))
        return SupportedEcusPage();
    return QTextBrowser::loadResource(type, name);
}
