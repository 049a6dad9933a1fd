#include "app/singlecopy.h"

#include "ui/messagebox.h"

bool claimStatisticsFile(InstanceLock& lock, QWidget* parent)
{
    if (lock.acquire())
        return true;
    MsgBox::information(parent, QStringLiteral("ルメナはすでに起動しています。\n"
                                               "開いているウィンドウをお使いください。"));
    return false;
}
