#pragma once

#include <QObject>

class TemplateSettingsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void defaultsShowAsListed();
    void confirmingUnchangedDefaultsKeepsThem();
    void valuesNoListShowsReadBackAsNothing();
    void everyListChangesExactlyItsMember();
    void everyCheckItemChangesExactlyItsSwitch();
    void listsCoverEveryEditableMemberOnce();
    void cancelAndCloseBoxKeepTheTemplate();
    void halfSizeShowsAsNameAndIsOfferedAsNumber();
    void fontNameBeginningSelectsFirstFamily();
    void separatorShowsAndTakesTypedText();
    void fontListsListEachFamilyOnce();
    void standInsJoinTheFontLists();
    void installedListsKeepTheDefaultFonts();
    void confirmDuringRunTellsTheChangeWaits();
    void saveAsWritesATemplateThatLoadsBack();
    void saveAsReportsAFileItCannotWrite();
    void pageScreenshots();
};
