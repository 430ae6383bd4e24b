' Input after printing: the prompt, the answer and what follows keep their order.
print "first"
input "name? ", n
print "got "; n
input "again? ", m
print "end "; m
