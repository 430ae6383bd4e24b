// A chat over UDP: Alice (you) and Bob (a tiny answering robot) each own a
// UDP channel on this machine and send each other datagrams.
//
// Type a line in the box and press Send. Alice's channel sends it
// to Bob's port; Bob's handler reads it and answers to Alice's port. To chat
// between two copies of the program, or two machines, give each copy its own
// port in myport, the other's address and port in peer and peerport, and
// take Bob's part out. Ends with the Quit button, the Esc key or by closing
// the window.

myport = 50101
peer = "127.0.0.1"
peerport = 50102

x = udp_start("alice", myport)
x = udp_start("bob", peerport)
print "Alice listens on port ", myport, ", Bob on port ", peerport
print
addedit "Say", 10, 560, 560, 26, "Hello Bob"
addbutton "Send", 580, 560, 90, 26
addbutton "Quit", 690, 560, 90, 26
quit = 0
onbutton Clicked
onudp Arrived

// Wait for the user; the handlers do the work.
while quit = 0
    delay 20
    if lastkey() = 27 then quit = 1
wend
end

Clicked:
if lastbutton() = "Quit"
    quit = 1
else
    gosub Send
endif
onbutton Clicked
return

Send:
said = trim(getedit("Say"))
if length(said) > 0
    x = udp_send("alice", peer, said, peerport)
    print "Alice: ", said
    setedit "Say", ""
endif
return

// Data arrived on a channel: Bob answers, Alice shows the answer.
Arrived:
heard = udp_read("bob")
if length(heard) > 0
    gosub Answer
    x = udp_send("bob", "127.0.0.1", answer, myport)
endif
heard = udp_read("alice")
if length(heard) > 0 then print "Bob:   ", heard
onudp Arrived
return

// Bob's whole intelligence.
Answer:
if instring(lower(heard), "hello") > 0
    answer = "Hello Alice! It is " + time(1) + " here."
elseif instring(heard, "?") > 0
    answer = "Good question. What do you think?"
else
    answer = "You said " + length(heard) + " characters. Tell me more."
endif
return
