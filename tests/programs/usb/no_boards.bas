// Without a board every search and device question answers "nothing".
print qelm_finddevices()
print qelm_numberofdevices()
print qelm_devicespecs(0)
print qelm_devicevalid(0)
print qelm_reada(0)
print qelm_devicecmd(0, "abc")
print qelm_wire2control(0, 5)
print qelm_errorspecs()
