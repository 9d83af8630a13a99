# Settings every target of the project shares: link `quorvex_common`.
add_library(quorvex_common INTERFACE)
target_compile_features(quorvex_common INTERFACE cxx_std_20)
set_target_properties(quorvex_common PROPERTIES INTERFACE_CXX_EXTENSIONS OFF)
target_compile_options(quorvex_common INTERFACE
    -Wall -Wextra -Wpedantic
    -finput-charset=UTF-8 -fexec-charset=UTF-8
    $<$<BOOL:${QUORVEX_WARNINGS_AS_ERRORS}>:-Werror>)
target_compile_definitions(quorvex_common INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING)
set(CMAKE_CXX_EXTENSIONS OFF)
