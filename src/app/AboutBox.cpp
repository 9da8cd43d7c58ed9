// The About box: the program's name and version, and two buttons that open web pages.
#include "app/AboutBox.h"

#include "app/QtPlatform.h"
#include "app/WebAddresses.h"
#include "platform/Platform.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Lumatoy"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* product = new QLabel(QStringLiteral("Lumatoy"));
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 2.5);
    big.setBold(true);
    product->setFont(big);
    auto* version = new QLabel(tr("Lumatoy Version %1").arg(QStringLiteral(LUMATOY_VERSION)));

    auto* website = new QPushButton(tr("Visit Website"));
    auto* footage = new QPushButton(tr("Stock Footage"));
    website->setObjectName(QStringLiteral("visitWebsite"));
    footage->setObjectName(QStringLiteral("stockFootage"));
    connect(website, &QPushButton::clicked, this,
            [] { platform().openUrl(makerAddress(kHomePagePath)); });
    connect(footage, &QPushButton::clicked, this,
            [] { platform().openUrl(QString::fromLatin1(kStockFootageSearch)); });

    auto* text = new QVBoxLayout;
    text->addWidget(product);
    text->addWidget(version);
    text->addStretch();
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(website);
    buttons->addWidget(footage);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(text, 1);
    layout->addLayout(buttons);
}

AboutBox* showAboutBox() {
    auto* box = new AboutBox;
    keepAboveOnTopWindows(box);
    box->show();
    return box;
}
