#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class TMainF;

// What a stop of the tour opened: its window and the records that window works on, released
// together (the window first).
class TTourOpened {
public:
    // Keeps a record for as long as the window lives; the window is given the copy kept.
    template <class Rec>
    Rec& Keep(Rec rec) {
        auto kept = std::make_shared<Rec>(std::move(rec));
        m_kept.push_back(kept);
        return *kept;
    }
    template <class Window>
    Window* Hold(Window* window) {
        m_window.reset(window);
        return window;
    }

private:
    std::vector<std::shared_ptr<void>> m_kept;
    std::unique_ptr<QWidget> m_window;
};

// A stop of the tour through every page of the main window and every window the program opens
// (editors, line editors, pickers), each brought up as a user first sees it over the data of
// the account signed in: the documentation's screenshots and the check that every layout fits
// take the same tour.
struct TTourStop {
    QString name; // the page's or the window's name, as file names take it
    // Brings the stop up: shows the page on the main window and returns the main window, or
    // makes the window (not yet shown), leaves it in `opened` and returns it.
    std::function<QWidget*(TMainF& main, TTourOpened& opened)> show;
};

std::vector<TTourStop> WindowTour(const TMainF& main);
