#pragma once

#include "shell/Frmmain.h"

#include <QStringList>

namespace kf::test {

// The real main window, with the cross-area commands written down as they are called.
class RecordingFrmmain : public Frmmain {
public:
    using Frmmain::Frmmain;

    void ViewCommand(int Index) override {
        calls.append(QStringLiteral("ViewCommand %1").arg(Index));
        Frmmain::ViewCommand(Index);
    }
    void ControlCommand(int Index) override {
        calls.append(QStringLiteral("ControlCommand %1").arg(Index));
        Frmmain::ControlCommand(Index);
    }
    void HelpCommand(int Index) override {
        calls.append(QStringLiteral("HelpCommand %1").arg(Index));
        Frmmain::HelpCommand(Index);
    }
    void lvlist_DblClick() override {
        calls.append(QStringLiteral("lvlist_DblClick"));
        Frmmain::lvlist_DblClick();
    }
    void InitSWF(const QString& pfile, bool pIsPlay) override {
        calls.append(QStringLiteral("InitSWF %1 %2")
                         .arg(pfile, pIsPlay ? QStringLiteral("true") : QStringLiteral("false")));
        Frmmain::InitSWF(pfile, pIsPlay);
    }

    void setPlayerMovie(const QString& Movie) override {
        calls.append(QStringLiteral("Movie %1").arg(Movie));
        Frmmain::setPlayerMovie(Movie);
    }

    void FullScreenSWF() override {
        calls.append(QStringLiteral("FullScreenSWF"));
        Frmmain::FullScreenSWF();
    }

    QStringList calls;
};

} // namespace kf::test
