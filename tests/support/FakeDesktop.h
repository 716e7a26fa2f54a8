#pragma once

#include "desktop/Desktop.h"
#include "support/Printers.h"

#include <QImage>

#include <algorithm>
#include <deque>
#include <vector>

namespace vtl::test {

// Records every request and answers from scripted replies, so no test ever
// opens a real dialog. Unscripted questions answer OK/No, dialogs cancel.
class FakeDesktop : public Desktop {
  public:
    std::vector<Message> messages;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<QString> folderPrompts;
    std::vector<QList<FolderShortcut>> folderShortcuts;  // per folder dialog
    std::vector<QString> clipboard;
    std::vector<QImage> clipboardImages;
    std::vector<ItemChoice> itemChoices;
    std::vector<PictureOptions> pictureOptionRequests;
    std::vector<std::pair<QColor, QString>> colourRequests;
    std::vector<QString> openedUrls;
    std::vector<std::pair<QString, QStringList>> started;
    int beeps = 0;

    std::deque<MessageAnswer> answers;
    std::deque<std::optional<QString>> openReplies;
    std::deque<std::optional<QString>> saveReplies;
    std::deque<std::optional<QString>> folderReplies;  // unscripted: cancel
    QString clipboardHolds;                            // what clipboardText() answers
    std::deque<std::optional<int>> itemReplies;        // unscripted: cancel, or as below
    bool itemDefaultTaken = false;                     // unscripted: the row selected at the start
    std::deque<std::optional<PictureOptions>> pictureOptionReplies;  // unscripted: accept as shown
    std::deque<std::optional<QColor>> colourReplies;                 // unscripted: cancel
    bool urlOpens = true;
    bool programsStart = true;
    // Programs findProgram() knows, by name, with the path it reports.
    std::vector<std::pair<QString, QString>> programsOnPath;

    MessageAnswer showMessage(const Message& message) override {
        messages.push_back(message);
        if (!answers.empty()) {
            const MessageAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        return message.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
    std::optional<QString> openFile(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return next(openReplies);
    }
    std::optional<QString> saveFile(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return next(saveReplies);
    }
    QString chooseFolder(const QString& prompt, const QList<FolderShortcut>& shortcuts) override {
        folderPrompts.push_back(prompt);
        folderShortcuts.push_back(shortcuts);
        return next(folderReplies).value_or(QString());
    }
    void setClipboardText(const QString& text) override { clipboard.push_back(text); }
    void setClipboardImage(const QImage& image) override { clipboardImages.push_back(image); }
    QString clipboardText() override { return clipboardHolds; }
    std::optional<int> chooseItem(const ItemChoice& choice) override {
        itemChoices.push_back(choice);
        if (itemReplies.empty() && itemDefaultTaken) {
            return choice.selected;
        }
        return next(itemReplies);
    }
    std::optional<PictureOptions> choosePictureOptions(const PictureOptions& initial) override {
        pictureOptionRequests.push_back(initial);
        return pictureOptionReplies.empty() ? initial : next(pictureOptionReplies);
    }
    std::optional<QColor> chooseColour(const QColor& initial, const QString& title) override {
        colourRequests.push_back({initial, title});
        return next(colourReplies);
    }
    void beep() override { ++beeps; }
    bool openUrl(const QString& url) override {
        openedUrls.push_back(url);
        return urlOpens;
    }
    bool startProgram(const QString& program, const QStringList& arguments) override {
        started.emplace_back(program, arguments);
        return programsStart;
    }
    QString findProgram(const QString& name) override {
        const auto it = std::find_if(programsOnPath.begin(), programsOnPath.end(),
                                     [&](const auto& program) { return program.first == name; });
        return it == programsOnPath.end() ? QString() : it->second;
    }

    QStringList messageTexts() const {
        QStringList texts;
        for (const Message& m : messages) {
            texts << m.text;
        }
        return texts;
    }

  private:
    template <typename T>
    static std::optional<T> next(std::deque<std::optional<T>>& replies) {
        std::optional<T> reply;
        if (!replies.empty()) {
            reply.swap(replies.front());
            replies.pop_front();
        }
        return reply;
    }
};

}  // namespace vtl::test
