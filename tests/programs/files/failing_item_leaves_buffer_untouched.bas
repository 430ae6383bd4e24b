onerror failed
s = "keep"
h = filecreate("f.txt")
buffprintt s, "a"; buffreadi("", 0)
end
failed:
print "[", s, "] ", filesize(h)
end
