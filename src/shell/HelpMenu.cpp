#include "shell/HelpMenu.h"

#include "shell/WebAddresses.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace kf {

namespace {

QString lineBreak() {
    return u"\r\n"_s;
}

} // namespace

QString HelpMenu::helpNoticeText() {
    // The first line's spaces are kept: they pad the box the way it has always looked.
    return u"    感谢你下载并使用本程序，因时间关系，本人未为此程序制作      "_s + lineBreak() +
           u"帮助文件。有问题请到 KorvelFlash 项目网站留言，即时通讯群：korvelflash.example/chat"_s;
}

QString HelpMenu::aboutText(const QString& AppTitle) {
    const QStringList lines{
        AppTitle,
        QString(),
        u"版权：KorvelFlash 项目 保留所有权利"_s,
        u"作者：KorvelFlash 项目"_s,
        u"电子邮件：contact@korvelflash.example"_s,
        u"主页："_s + websiteAddress(),
        u"电话：无"_s,
        u"通信地址：无"_s,
    };
    return lines.join(lineBreak());
}

void HelpMenu::HelpCommand(int Index) {
    // A missing browser is not reported; neither box waits for more than OK.
    switch (Index) {
    case 0: // 帮助主题
        m_messageBox.showMessage(helpNoticeText(), u"帮助"_s, MessageButtons::Ok, MessageIcon::Information);
        break;
    case 1: // 官方网站
        m_webBrowser.openAddress(websiteAddress());
        break;
    case 2: // 作者网店; start-up opens it too.
        m_webBrowser.openAddress(shopAddress());
        break;
    case 4: // 关于
        m_messageBox.showMessage(aboutText(m_appTitle), u" 关于..."_s, MessageButtons::Ok,
                                 MessageIcon::Information);
        break;
    default: // separator 3
        break;
    }
}

} // namespace kf
