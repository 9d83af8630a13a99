// The program's start-up up to its first paint. Usage: quorvex_first_paint [PORT]
// PORT is the update server's port on 127.0.0.1; without it the program's
// own fixed endpoint is used.
#include "first_paint_probe.h"

#include "shell.h"

#include <cfenv>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::fesetenv(FE_DFL_ENV);
    FirstPaintProbe probe;
    update::Endpoint server = update::fixed_endpoint();
    if (argc > 1) {
        server = {"127.0.0.1", static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10))};
    }
    quorvex::load_main_window(server);
    return QApplication::exec();
}
