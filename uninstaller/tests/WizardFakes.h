#pragma once
// A scripted user and a scripted system for the wizard's logic. Both write what they are
// asked into one shared journal, so tests can check the order of everything.

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "uninstaller/wizard/UninstallSystem.h"
#include "uninstaller/wizard/WizardView.h"

namespace qv::uninst::test {

struct ShownBox {
    std::string text;
    std::string title;
    Buttons buttons;
    Icon icon;
};

class ScriptedView : public WizardView {
public:
    explicit ScriptedView(std::vector<std::string>& journal) : journal_(journal) {}

    // The answers the user gives, in order; a box with no answer left fails the test.
    std::deque<Answer> answers;
    std::vector<ShownBox> boxes;
    std::string caption = "(designed)";
    std::string text = "(designed)";
    std::vector<std::string> list;
    int height = 0;
    std::map<Face, bool> borders;
    bool shown = false;
    int endCalls = 0;

    Answer messageBox(const std::string& t, const std::string& title, Buttons b, Icon i) override {
        boxes.push_back({t, title, b, i});
        journal_.push_back("box " + title + ": " + t);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected message box: " << title << ": " << t;
            return Answer::Cancel;
        }
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    void setCaption(const std::string& c) override { caption = c; }
    void setMessageText(const std::string& t) override {
        text = t;
        journal_.push_back("text " + t);
    }
    void setDeleteList(const std::vector<std::string>& paths) override { list = paths; }
    void setWindowHeight(int twips) override { height = twips; }
    void setFaceBorder(Face face, bool border) override { borders[face] = border; }
    void show() override {
        shown = true;
        journal_.push_back("show");
    }
    void end() override {
        ++endCalls;
        journal_.push_back("end");
    }

private:
    std::vector<std::string>& journal_;
};

class ScriptedSystem : public UninstallSystem {
public:
    explicit ScriptedSystem(std::vector<std::string>& journal) : journal_(journal) {}

    ScriptFile script{ScriptFile::Status::Read, "", ""};
    std::set<std::string> files;   // existing files
    std::set<std::string> locked;  // existing files that cannot be deleted
    std::set<std::string> unstartable;
    std::vector<std::string> started;

    ScriptFile readScript(std::string_view name) override {
        journal_.push_back("read " + std::string(name));
        return script;
    }
    DeleteResult deleteFile(const std::string& path) override {
        journal_.push_back("delete " + path);
        if (!files.count(path)) return {DeleteOutcome::NotFound, "not found"};
        if (locked.count(path)) return {DeleteOutcome::Failed, "文件正在使用"};
        files.erase(path);
        return {DeleteOutcome::Deleted, ""};
    }
    bool startMinimised(std::string_view program, const std::string& commandLine) override {
        journal_.push_back("start " + std::string(program) + " | " + commandLine);
        started.push_back(commandLine);
        return !unstartable.count(commandLine);
    }
    void endProgram(const std::string& path) override { journal_.push_back("end program " + path); }

private:
    std::vector<std::string>& journal_;
};

}  // namespace qv::uninst::test
