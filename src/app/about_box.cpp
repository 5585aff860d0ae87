#include "about_box.h"

#include "resources.h"
#include "twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace pellimo {

namespace {

void centreOnScreen(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr)
        window->move(screen->availableGeometry().center() - window->rect().center());
}

} // namespace

QString programVersion() {
    return QStringLiteral(PELLIMO_VERSION);
}

QString versionLine() {
    return QStringLiteral("Version: ") + programVersion() + QStringLiteral("\r\n");
}

FrmAbout::FrmAbout() {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    buildControls();
    formLoad();
    centreOnScreen(this);
}

void FrmAbout::buildControls() {
    setFixedSize(twipsToPixels(5745), twipsToPixels(2865));

    // Created first so that the label and the button are drawn over it.
    imgAbout_ = new QLabel(this);
    imgAbout_->setObjectName(QStringLiteral("imgAbout"));
    imgAbout_->setScaledContents(true);
    imgAbout_->setGeometry(twipsToRect(0, 0, 5760, 2880));

    // A label paints no background of its own, so the picture shows behind the text.
    lblDetails_ = new QLabel(this);
    lblDetails_->setObjectName(QStringLiteral("lblDetails"));
    lblDetails_->setTextFormat(Qt::PlainText);
    lblDetails_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDetails_->setGeometry(twipsToRect(3360, 1440, 2316, 972));
    // The picture is light whatever the desktop's colours: the text keeps a dark ink of its own.
    QPalette ink = lblDetails_->palette();
    ink.setColor(QPalette::WindowText, QColor(0x20, 0x20, 0x20));
    lblDetails_->setPalette(ink);

    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setGeometry(twipsToRect(4608, 2496, 1068, 300));
    cmdOK->setFocus();
    // Escape and the close button reject the dialog, which unloads it just as OK does.
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

void FrmAbout::formLoad() {
    initResources();
    imgAbout_->setPixmap(QPixmap(QStringLiteral(":/about/102.png")));
    lblDetails_->setText(versionLine());
}

FrmAbout* showAboutBox() {
    static QPointer<FrmAbout> box;
    if (box.isNull())
        box = new FrmAbout;
    box->show();
    box->raise();
    box->activateWindow();
    return box;
}

} // namespace pellimo
