// The program that links one layer's library whole: it only has to link.
int main()
{
    return 0;
}
