#pragma once

#include "platform/Platform.h"
#include "widgets/DriveList.h"
#include "widgets/FolderList.h"

#include <QLineEdit>

namespace vornak {

// T3: while its text starts with "桌" or a lowercase "z" a click or an edit takes the lists
// to the user's desktop; any other text is an address that moves them there as it is typed
// or pasted. It moves the lists only by assigning Drive1 and Dir1, so every move runs their
// whole chain, which in address mode writes the folder back into T3.
class AddressBox {
public:
    struct Controls {
        DriveList& drive1;
        FolderList& dir1;
        QLineEdit& address; // T3
    };

    AddressBox(Controls controls, Platform& platform);

    void onClicked();
    void onChanged();
    void onDoubleClicked();

private:
    void apply();
    void goToDesktop();
    QByteArray driveOf(const QString& text) const;

    Controls m_controls;
    Platform& m_platform;
};

} // namespace vornak
