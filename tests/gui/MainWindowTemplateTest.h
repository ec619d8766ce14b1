#pragma once

#include <QObject>

class MainWindowTemplateTest : public QObject {
    Q_OBJECT
private slots:
    void masterThesisTypeUpdatesStatusTitle();
    void cancelKeepsTitleAndTemplate();
    void confirmDuringRunWaitsForTheRunToEnd();
    void derivedTemplateFillsTheDialogAndConfirmMakesItCurrent();
    void deriveIsRefusedWhileACheckRuns();
};
