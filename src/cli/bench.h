#pragma once
// What the parts of pratelia-bench share: the bare sequential read every
// timing is measured against, opening a window until it has painted, and
// the archives' own benchmarks.
#include <QString>
#include <QTextStream>
#include <functional>

class QWidget;

namespace pratelia {
class Record;
struct RecordLayout;
}

namespace pratelia::bench {

// Reads the file front to back in 1 MB blocks and does nothing with it.
void bareRead(const QString &path);
// Writes a synthetic archive of `count` records of `layout`: `fill` sets
// record i (1, 2, ...) on a cleared record; written in large blocks.
void writeRecords(const QString &path, const RecordLayout &layout, int count,
                  const std::function<void(Record &r, int i)> &fill);
// One line of a timing report: what, the time, and its ratio to the bare
// read once `base` is known.
struct Report {
    QTextStream &out;
    int width = 44;
    double base = 0;
    void operator()(const QString &what, double ms, const QString &extra = {}, bool ratio = true);
};

// Shows a window and lets it paint: the time in ms until the user can work
// in it.
double openWindow(QWidget &w);

// The deadlines: `n` cards of this year's archive in PRATELIA_HOME.
void deadlines(int n, QTextStream &out);
// The fee summary: `n` services of a year's archive in PRATELIA_HOME.
void summary(int n, QTextStream &out);
// The protocol: `n` cards of this year's archive in PRATELIA_HOME.
void protocol(int n, QTextStream &out);

} // namespace pratelia::bench
