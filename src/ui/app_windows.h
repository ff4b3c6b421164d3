#pragma once

class TFRM_Logon;
class TFRM_Main;
class TFRM_About;
class TFRM_Temp;
class TFRM_Option;
class TFRM_Reference;

// The program's windows, created once at start-up in this order and kept to the end. A
// window reaches the others through this; a pointer is set as soon as its window exists, so
// a window may use only the ones created before it while it is being created.
struct AppWindows {
    TFRM_Logon* FRM_Logon = nullptr;
    TFRM_Main* FRM_Main = nullptr;
    TFRM_About* FRM_About = nullptr;
    TFRM_Temp* FRM_Temp = nullptr;
    TFRM_Option* FRM_Option = nullptr;
    TFRM_Reference* FRM_Reference = nullptr;
};
