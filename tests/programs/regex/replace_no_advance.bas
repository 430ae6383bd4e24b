' A match that a recursion ends behind its start still lets the replacement move on.
x = re_Setup("(?<=(?'n'.))(?R<n>)")
print re_replace("abc", "-")
print re_replace("abcdef", "[$1]", 3)
print re_search("abc")
print re_start(-1); re_end(-1)
