#pragma once

// What the window tests share: file dialogs that answer from a script, and a
// record of every status-bar write.

#include "gui/FileDialogs.h"
#include "gui/StatusBarParts.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <deque>
#include <utility>
#include <vector>

namespace quillmark::testing {

// File dialogs answered from a script; an empty answer (the script has run
// out) is a cancel. Remembers what the report dialog suggested.
class ScriptedDialogs : public gui::FileDialogs {
public:
    void answerTheses(QStringList paths) { theses_.push_back(std::move(paths)); }
    void answerTemplate(QString path) { templates_.push_back(std::move(path)); }
    void answerModel(QString path) { models_.push_back(std::move(path)); }
    void answerReport(QString path, bool comments = false) { reports_.push_back({std::move(path), comments}); }

    QStringList chooseTheses(QWidget*) override { return take(theses_); }
    QString chooseTemplate(QWidget*) override { return take(templates_); }
    QString chooseModel(QWidget*) override { return take(models_); }
    gui::ReportChoice chooseReportTarget(QWidget*, const QString& suggested) override {
        lastSuggestion = suggested;
        return take(reports_);
    }

    int asked() const { return asked_; }
    QString lastSuggestion;

private:
    template <typename T>
    T take(std::deque<T>& answers) {
        ++asked_;
        if (answers.empty()) return {};
        T answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }

    std::deque<QStringList> theses_;
    std::deque<QString> templates_;
    std::deque<QString> models_;
    std::deque<gui::ReportChoice> reports_;
    int asked_ = 0;
};

// Every write into the status bar, in order.
class StatusJournal : public QObject {
    Q_OBJECT
public:
    explicit StatusJournal(const gui::StatusBarParts& parts) {
        connect(&parts, &gui::StatusBarParts::partWritten, this,
                [this](int part, const QString& text) { writes.emplace_back(part, text); });
    }
    QStringList textsOf(int part) const {
        QStringList texts;
        for (const auto& [p, text] : writes) {
            if (p == part) texts << text;
        }
        return texts;
    }
    void clear() { writes.clear(); }

    std::vector<std::pair<int, QString>> writes;
};

}  // namespace quillmark::testing
