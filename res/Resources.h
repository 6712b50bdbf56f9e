#pragma once
// The program's resources: the two dialog templates, the icon, the About
// item's text and the version record, all in Japanese (language 0x0411).

#include "platform/win/Resources.h"
#include "res/resource.h"

const win::ModuleResources& VuskResources();
