#pragma once

#include <QLabel>

namespace vornak {

// The preview label. A plain label reports no double click, and the preview details are
// shown on one. File names are shown as they are, never read as markup. A name too long for
// the label is drawn shortened in the middle, so that its extension stays in view, and shows
// whole as the label's tooltip; text() keeps it whole.
class PreviewLabel : public QLabel {
    Q_OBJECT
public:
    explicit PreviewLabel(QWidget* parent = nullptr);

    // The text as the label draws it.
    QString shownText() const;

Q_SIGNALS:
    void doubleClicked();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace vornak
