#include "app/torvina_app.h"
#include "platform/afx/win_main.h"
#include "platform/vfw/compressor_boxes.h"
#include "resources/program_resources.h"

// The one application object, made before the entry point runs.
CTorvinaApp theApp;

int main(int argc, char** argv)
{
    InstallResourceProvider(&ProgramResources());
    vfw::InstallCompressorBoxes();
    return AfxWinMain(argc, argv);
}
