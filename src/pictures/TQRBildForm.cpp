#include "pictures/TQRBildForm.h"

#include "report/Printables.h"

#include <algorithm>

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
    const QRectF ort = druckBox(box, m_report.pageSize());
    m_bildX->setGeometry(ort.left(), ort.top(), ort.width(), ort.height());
    m_bildX->setVisible(boxSichtbar);
}

QRectF TQRBildForm::druckBox(const QRect &box, const QSizeF &seite)
{
    QSizeF groesse = QSizeF(box.size());
    if (groesse.width() > seite.width() || groesse.height() > seite.height())
        groesse.scale(seite, Qt::KeepAspectRatio);
    const double left = std::clamp(double(box.left()), 0.0, seite.width() - groesse.width());
    const double top
        = std::clamp(double(box.top() - kVersatz), 0.0, seite.height() - groesse.height());
    return { QPointF(left, top), groesse };
}

} // namespace kb
