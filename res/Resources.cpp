#include "res/Resources.h"

#include <QtGlobal>

void InitResources()
{
    Q_INIT_RESOURCE(skins);
    Q_INIT_RESOURCE(strings);
}
