// Two UDP channels on the loopback address: send, headers, peeks, the cap.
print udp_start("a", 50931), " ", udp_status("a")
print udp_start("b", 50932)
print udp_send("a", "127.0.0.1", "ping", 50932), " ", udp_status("a")
k = 0
while udp_buffcount("b") < 4 and k < 5000000
    k = k + 1
wend
print udp_peek("b"), " ", udp_read("b"), " [", udp_read("b"), "]"
print left(udp_status("b"), 14)
print udp_header("b", 1), " ", udp_header("b")
print udp_send("a", "127.0.0.1", srepeat("x", 3000), 50932)
k = 0
while udp_buffcount("b") < 2048 and k < 5000000
    k = k + 1
wend
t = udp_read("b")
print left(t, 25), " ", length(t)
print udp_send("a", "127.0.0.1", ""), " ", udp_status("a")
print udp_send("a", "", "x"), " ", udp_status("a")
print udp_send("nobody", "127.0.0.1", "x"), " [", udp_read("nobody"), "] ", udp_buffcount("nobody")
print udp_start("again", 50931), " ", udp_status("a"), "|", udp_status("again")
