#pragma once

#include "platform/Platform.h"
#include "widgets/DriveList.h"
#include "widgets/FolderList.h"

#include <QLineEdit>
#include <QObject>

namespace vornak {

// The address box: while its text starts with "桌" or a lowercase "z" a click or an edit
// takes the lists to the user's desktop; any other text is an address that moves them there
// as it is typed or pasted. It moves the lists only by assigning the drive list and the
// folder list, so every move runs their whole chain, which in address mode writes the folder
// back into the box.
class AddressBox : public QObject {
    Q_OBJECT
public:
    struct Controls {
        DriveList& driveList;
        FolderList& folderList;
        QLineEdit& edit;
    };

    AddressBox(Controls controls, Platform& platform, QObject* parent);

public Q_SLOTS:
    // Goes to the desktop or to the address the text names.
    void apply();
    // As apply(), then the caret goes to the end of the text.
    void applyEdit();
    void selectWholeText();

private:
    void goToDesktop();
    QByteArray driveOf(const QString& text) const;

    Controls m_controls;
    Platform& m_platform;
};

} // namespace vornak
