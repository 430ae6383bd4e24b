// Nothing listens on port 1 of this machine: the connection fails.
dim s[9]
dim b[2]
s[1] = "127.0.0.1"
s[2] = "me@example.org"
s[3] = "you@example.org"
s[8] = 1
b[0] = "hello"
sendemail s, b, 0
