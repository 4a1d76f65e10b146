#include "pictures/TQRBildForm.h"

#include "report/Printables.h"

namespace kb {

TQRBildForm::TQRBildForm(const QImage &bild, const QRect &box, bool boxSichtbar)
{
    m_report.setPaper(report::PaperSize::A4);
    m_report.setOrientation(report::Orientation::Portrait);
    m_report.setMargins(Margins { .left = 0, .right = 0, .top = 0, .bottom = 0 });
    m_report.setColumns(1);
    m_report.setFont(report::FontSpec { .family = QStringLiteral("Arial") });
    m_report.setTitle(QString());

    report::Band &titel = m_report.titleBand();
    titel.setHeight(kTitelHoehe);
    titel.setBackground(QColor(Qt::white));

    m_titel = &titel.add<report::SystemData>(report::SystemData::Kind::ReportTitle);
    m_titel->setFont(report::FontSpec { .family = QStringLiteral("Arial"), .pointSize = 18 });
    m_titel->setColor(Qt::black);
    m_titel->setTransparent(true);
    m_titel->setTop(4);
    m_titel->setAutoSize(true);
    m_titel->setAlignment(report::HAlign::Center);
    m_titel->setAlignToBand(true);

    m_bildX = &titel.add<report::Picture>(bild);
    m_bildX->setStretch(true);
    m_bildX->setGeometry(box.left(), box.top() - kVersatz, box.width(), box.height());
    m_bildX->setVisible(boxSichtbar);
}

} // namespace kb
