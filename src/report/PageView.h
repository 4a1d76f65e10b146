#pragma once

#include "report/Page.h"

#include <QWidget>

namespace kb::report {

// One page of a document drawn at a zoom factor: white paper with a shadow, centred on grey.
class PageView final : public QWidget {
    Q_OBJECT
public:
    explicit PageView(QWidget *parent = nullptr);

    void setPage(const Page *page, QSizeF pageSize);
    // Screen pixels per layout pixel.
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }
    QSize sizeHint() const override;
    // Where the paper lies inside the view.
    QRect paperRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const Page *m_page = nullptr;
    QSizeF m_pageSize { 793.7, 1122.5 };
    double m_zoom = 1.0;
};

} // namespace kb::report
