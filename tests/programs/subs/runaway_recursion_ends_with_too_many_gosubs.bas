call r()
end
sub r()
call r()
