// Entry point of Quillo.exe: the application object runs the toolbar.
#include "app/SkinApp.h"

CSkinApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand)
{
    return fx::AppMain(instance, commandLine, showCommand);
}
