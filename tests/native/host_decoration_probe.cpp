// Refers to each host function so that its decorated name appears in the object file.
#include "host_api.h"

void* hostFunctions[] = {
    reinterpret_cast<void*>(&InitLib),
    reinterpret_cast<void*>(&Date2Int),
    reinterpret_cast<void*>(&oapiRegisterCustomCmd),
    reinterpret_cast<void*>(&oapiOpenDialogEx),
    reinterpret_cast<void*>(&oapiCloseDialog),
    reinterpret_cast<void*>(&oapiDefDialogProc),
};
