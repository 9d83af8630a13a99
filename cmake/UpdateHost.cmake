# The update server is a fixed numeric IPv4 address chosen when the program is
# configured. A vendor sets its own; every build made here talks to loopback.
set(QUORVEX_UPDATE_HOST "127.0.0.1" CACHE STRING
    "Numeric IPv4 address of the update server (fixed in the program)")

set(_octet "(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])")
if(NOT QUORVEX_UPDATE_HOST MATCHES "^${_octet}\\.${_octet}\\.${_octet}\\.${_octet}$")
    message(FATAL_ERROR
        "QUORVEX_UPDATE_HOST must be a numeric IPv4 address such as 127.0.0.1, "
        "not \"${QUORVEX_UPDATE_HOST}\"")
endif()
unset(_octet)
