#include "qt/CAboutDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "KalvoraBuildId.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

QIcon CAboutDialog::ProgramIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1/kalvora.png").arg(size), QSize(size, size));
    return icon;
}

QString CAboutDialog::VersionText() { return Q(FormatString(IDS_ABOUT_VERSION, KALVORA_VERSION)); }

QString CAboutDialog::BuildText() { return Q(FormatString(IDS_ABOUT_BUILD, KALVORA_BUILD)); }

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Q(LoadString(IDS_SHELL_ABOUT_TITLE)));
    setObjectName(QStringLiteral("AboutDialog"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("AboutPicture"));
    const int side = 128;
    picture->setPixmap(ProgramIcon().pixmap(QSize(side, side), devicePixelRatioF()));
    picture->setFixedSize(side, side);
    row->addWidget(picture, 0, Qt::AlignTop);
    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("AboutText"));
    text->setTextFormat(Qt::RichText);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setText(QStringLiteral("<h2>%1</h2><p>%2</p><p>%3<br>%4</p>")
                      .arg(Q(LoadString(IDS_APP_NAME)).toHtmlEscaped(),
                           Q(LoadString(IDS_ABOUT_DESCRIPTION)).toHtmlEscaped(), VersionText().toHtmlEscaped(),
                           BuildText().toHtmlEscaped()));
    row->addWidget(text, 1);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

}  // namespace kv
