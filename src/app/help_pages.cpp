// The eight help pages, put together from their lines each time help mode begins.
#include "app/help_mode.h"

#include "store/page_store.h"
#include "version.h"

#include <initializer_list>
#include <string_view>

namespace {

constexpr std::string_view LineBreak = "<&CR&>";
constexpr int HelpPageCount = 8;

// Longest line of a help page body that the page text field shows without wrapping:
// about 46 average characters fit across it, and a line of wide letters needs room.
constexpr std::size_t WidestLine = 44;

// A blank is about half as wide as an average letter, so a line looks centred when its
// leading blanks number about as many as the letters it lacks of a full line.
std::string Centred(std::string_view text) {
    const std::size_t blanks = text.size() < WidestLine ? WidestLine - text.size() : 0;
    return std::string(blanks, ' ') + std::string(text);
}

std::string HelpPage(int titleBlanks, std::string_view title,
                     std::initializer_list<std::string> body) {
    std::string page = std::string(36, ' ') + "Quillpad Help";
    page += LineBreak;
    page += LineBreak;
    page += std::string(static_cast<std::size_t>(titleBlanks), ' ');
    page += title;
    page += LineBreak;
    for (const std::string& line : body) {
        page += LineBreak;
        page += line;
    }
    return page;
}

std::string WelcomePage() {
    return HelpPage(19, "Welcome to Quillpad version " + std::string(ProgramVersion),
                    {
                        "Quillpad keeps text on numbered pages, like",
                        "a flip-over pad: notes, messages, addresses,",
                        "lists, anything you want to keep and find",
                        "again quickly.",
                        "",
                        "At the top of the window is the search box,",
                        "with a \"<\" button on its left and a \">\"",
                        "button on its right. Click \"<\" to flip back",
                        "one page and \">\" to flip forward one page.",
                        "While the caret is in the search box, the",
                        "Left and Right keys flip the same way.",
                        "",
                        "To search, type a word into the search box,",
                        "hold down Shift and flip as before: Quillpad",
                        "then stops only on the pages that contain",
                        "the word. Shift with \"<\" or Left searches",
                        "backwards, Shift with \">\" or Right forwards.",
                        "",
                        Centred("Try it now on these help pages:"),
                        Centred("type search, then hold Shift and"),
                        Centred("press the Right key."),
                    });
}

std::string SearchingPage() {
    return HelpPage(31, "Advanced Searching",
                    {
                        "Two search words can be joined by 'and' or",
                        "by 'or', with one blank on each side.",
                        "",
                        "With 'and' a page must hold both words, so",
                        "the search narrows. To find the telephone",
                        "messages from John, for example, search for",
                        "",
                        Centred("'[msg] and john'"),
                        "",
                        "With 'or' a page may hold either word, so",
                        "the search widens. To find every page about",
                        "repairs to the car, search for",
                        "",
                        Centred("'mechanic or garage'"),
                        "",
                        "Type the search text without the quotes.",
                        "",
                        "When a search stops on a page, the first",
                        "match on it is flashed for a moment, so you",
                        "can see at once where it is.",
                        "",
                        "Capital letters make no difference: john,",
                        "John and JOHN find the same pages.",
                    });
}

std::string ShortcutsPage() {
    return HelpPage(19, "Remember your Keyboard Shortcuts!",
                    {
                        "These keys work in the page text, and in",
                        "most other programs as well:",
                        "",
                        "Ctrl+Z  Undo takes back the last change.",
                        "",
                        "Ctrl+X  Cut moves the selected text to the",
                        "        clipboard.",
                        "",
                        "Ctrl+C  Copy puts a copy of the selected",
                        "        text on the clipboard.",
                        "",
                        "Ctrl+V  Paste puts the clipboard's text in",
                        "        at the caret.",
                        "",
                        "Quillpad's own keys, in the page text:",
                        "",
                        "Ctrl+D  pastes today's date, such as",
                        "        06 Dec 2026.",
                        "",
                        "Ctrl+T  pastes the time, such as 9:07am.",
                        "",
                        "Remember to hold down Ctrl while you press",
                        "the letter; the letter alone is typed as",
                        "usual.",
                    });
}

std::string ButtonsPage() {
    return HelpPage(37, "The Buttons:",
                    {
                        Centred("New Page  (Alt N)"),
                        "Adds a new, empty page after the last page.",
                        "",
                        Centred("Delete Page  (Alt D)"),
                        "Deletes the page shown, after asking you.",
                        "The pages after it move down one number.",
                        "Page one can't be deleted.",
                        "",
                        Centred("Insert Page  (Alt I)"),
                        "Inserts a new, empty page before the page",
                        "shown, after asking you. The page shown and",
                        "the pages after it move up one number.",
                        "Nothing can be inserted before page one.",
                        "",
                        Centred("Help  (Alt H)"),
                        "Shows these help pages.",
                        "",
                        Centred("Exit Help  (Alt E)"),
                        "Leaves the help pages and takes you back to",
                        "your own pages, to the page you were on.",
                    });
}

std::string ControlsPage() {
    return HelpPage(37, "Other Controls:",
                    {
                        Centred("The page box"),
                        "Type a page number into the box next to",
                        "\"Page\" and press Return to show that page.",
                        "A number beyond the last page is ignored.",
                        "Inserting and deleting pages changes the",
                        "numbers of the pages after them.",
                        "",
                        Centred("The Tab key"),
                        "Tab moves the caret from the search box to",
                        "the page box, on to the page text and back",
                        "to the search box.",
                        "",
                        Centred("The cursor keys"),
                        "Left and Right flip and search only while",
                        "the caret is in the search box; in the page",
                        "text they move the caret as usual.",
                        "",
                        Centred("The window's place"),
                        "Move the window where you like: Quillpad",
                        "remembers the place and opens there again.",
                        "",
                        Centred("Page one"),
                        "Page one can't be deleted and no page can",
                        "be put before it, so it makes a good index.",
                    });
}

std::string PrintingPage() {
    return HelpPage(41, "Printing:",
                    {
                        "Quillpad does not print. You can copy text",
                        "from a page into a word processor and print",
                        "it from there, or print a picture of the",
                        "whole window like this:",
                        "",
                        "1. Flip to the page you want to print, then",
                        "   click on Quillpad's window to make it the",
                        "   active window.",
                        "",
                        "2. Hold down Alt and press Print Screen: a",
                        "   picture of the window goes onto the",
                        "   clipboard.",
                        "",
                        "3. Switch to a word processor that takes",
                        "   pictures.",
                        "",
                        "4. Paste the picture in with Ctrl V, then",
                        "   print it from there.",
                    });
}

std::string NotesPage() {
    return HelpPage(27, "Notes on using Quillpad.",
                    {
                        "A few habits make pages easy to find again.",
                        "",
                        "Begin every page of one kind with a short",
                        "tag of your own in square brackets, for",
                        "example:",
                        "",
                        "        [msg]   for telephone messages",
                        "        [adr]   for addresses",
                        "        [tel]   for telephone numbers",
                        "",
                        "Then type the tag, say [tel], into the",
                        "search box and flip with Shift held down:",
                        "Quillpad stops on each of those pages in",
                        "turn and on no others.",
                        "",
                        "Join a tag and a word to narrow the search,",
                        "as in  [msg] and john  to find the messages",
                        "from John.",
                        "",
                        "Page one is a good place to list your tags,",
                        "so that you always know which ones you use.",
                    });
}

std::string RunningPage() {
    return HelpPage(16, "General Information on running Quillpad",
                    {
                        "Give Quillpad a folder of its own and run",
                        "it from there. At its first start it makes",
                        "the file Quillpad.qpd in that folder, and",
                        "that one file holds all of your pages.",
                        "Only one Quillpad runs in each folder:",
                        "starting it again there brings its window",
                        "to the front.",
                        "",
                        "Back up Quillpad.qpd now and then: copy it",
                        "to a memory stick or another disk. To get",
                        "your pages back, copy it into Quillpad's",
                        "folder again while Quillpad is closed.",
                        "",
                        "To bring Quillpad up from anywhere, make a",
                        "shortcut to it on the desktop. In the",
                        "shortcut's properties, set Start in to",
                        "Quillpad's folder, so that it finds its",
                        "pages, and type a letter into the Shortcut",
                        "key box: Ctrl+Alt and that letter then",
                        "bring Quillpad up.",
                    });
}

} // namespace

// The user's pages are in the pages file or kept aside meanwhile; Pages keeps only its
// element 0, if any.
void BuildHelpPages() {
    HelpPages.assign(HelpPageCount + 3, std::string());
    HelpPages[1] = WelcomePage();
    HelpPages[2] = SearchingPage();
    HelpPages[3] = ShortcutsPage();
    HelpPages[4] = ButtonsPage();
    HelpPages[5] = ControlsPage();
    HelpPages[6] = PrintingPage();
    HelpPages[7] = NotesPage();
    HelpPages[8] = RunningPage();
    Pages.resize(HelpPageCount + 1);
    for (int n = 1; n <= HelpPageCount; ++n) {
        Pages[n] = HelpPages[n];
    }
}
