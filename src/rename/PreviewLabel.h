#pragma once

#include <QLabel>

namespace vornak {

// The preview label. A plain label reports no double click, and the preview details are
// shown on one. File names are shown as they are, never read as markup.
class PreviewLabel : public QLabel {
    Q_OBJECT
public:
    explicit PreviewLabel(QWidget* parent = nullptr);

Q_SIGNALS:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace vornak
