for i = 1.5 to 3
next
