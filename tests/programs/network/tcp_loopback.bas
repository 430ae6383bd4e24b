// A server and a client in one program on the loopback address.
print tcps_status(), " / ", tcpc_status()
print tcps_serve(50917), " ", tcps_status()
print tcpc_connect("127.0.0.1", 50917)
k = 0
while left(tcpc_status(), 9) <> "Connected" and k < 5000000
    k = k + 1
wend
print left(tcpc_status(), 19)
k = 0
while left(tcps_status(), 8) <> "Accepted" and k < 5000000
    k = k + 1
wend
print left(tcps_status(), 19)
print tcpc_send("hello"), " ", tcpc_status()
k = 0
while tcps_buffcount() < 5 and k < 5000000
    k = k + 1
wend
print tcps_peek(), " ", tcps_buffcount()
print tcps_read(), " [", tcps_read(), "]"
print tcps_header(1), " ", tcps_header(), " ", tcps_header(-1)
print tcps_send("back"), " ", tcps_status()
k = 0
while tcpc_buffcount() < 4 and k < 5000000
    k = k + 1
wend
print tcpc_read(), " ", tcpc_status()
x = tcpc_send("abc")
k = 0
while tcps_buffcount() < 20 and k < 5000000
    k = k + 1
wend
t = tcps_read()
print left(t, 16), "...", right(t, 13)
print tcpc_close(), " ", tcps_close(), " ", tcps_status()
print tcpc_send("gone")
