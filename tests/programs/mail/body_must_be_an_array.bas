dim s[8]
sendemail s, nothing
